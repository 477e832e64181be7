#pragma once

class QLabel;
class QWidget;

namespace mirel::shell {

// After a zoom: every list's columns, the entry line's widest line and the
// text of every label, button and box of the layout on `canvas` are made to
// fit their control, each font stepping down from its zoomed size as far as
// it must. The design's sizes assume a font as wide as at 96 dots per inch;
// a larger font, or one whose hinting rounds up at a small size, would
// otherwise cut the last characters.
void keepTextsWhole(QWidget& canvas);

// A label that wraps its words: its font from its zoomed size down until the
// whole text fits its height. Again after each new text.
void fitWrappedLabel(QLabel& label);

} // namespace mirel::shell
