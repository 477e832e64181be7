#pragma once

#include <QWidget>

namespace mirel::shell {

// A port lamp, drawn at its own size on every paint, so that it stays crisp
// at any screen scale.
class LampView final : public QWidget {
    Q_OBJECT
public:
    explicit LampView(QWidget* parent = nullptr);

    bool isLit() const { return lit_; }
    void setLit(bool lit);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool lit_ = false;
};

} // namespace mirel::shell
