#pragma once

#include <QPointer>
#include <QStatusBar>

namespace mirel::shell {

// A status bar whose message is never cut: a message longer than the room
// beside the permanent widgets first takes the room of those that may step
// aside (the counts), then wraps. The bar always has room for two lines, so
// that most messages come and go without moving the layout above; a longer
// one makes it grow for as long as it lasts.
class WrappingStatusBar final : public QStatusBar {
    Q_OBJECT
public:
    explicit WrappingStatusBar(QWidget* parent = nullptr);
    // A permanent widget that is hidden while a message needs its room; the
    // last one given steps aside first.
    void letStepAside(QWidget* widget);
    // Where the message is drawn.
    QRect messageRect() const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // Taller than its two lines for the message shown now.
    bool grown() const { return minimumHeight() > 0; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void arrange();
    // The room for the message beside the first `keptAsides` of the widgets
    // that step aside.
    int room(qsizetype keptAsides) const;

    QList<QPointer<QWidget>> asides_;
    bool arranging_ = false;
};

} // namespace mirel::shell
