#pragma once

// Panels: a plain one with its own colour and bevels, and one that is transparent over what
// lies beneath it (the window's painted background).

#include <QColor>
#include <QWidget>

class Panel : public QWidget {
public:
    enum class Bevel { None, Raised, Lowered };

    explicit Panel(QWidget* parent = nullptr, const QColor& colour = QColor(240, 240, 240));

    void SetColour(const QColor& colour);

    // Outer and inner bevel, and a single black line around the panel.
    void SetBevels(Bevel outer, Bevel inner);
    void SetSingleBorder(bool on);

    // Width of the border drawn inside the panel's rectangle.
    int BorderWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
    Bevel outer_ = Bevel::None;
    Bevel inner_ = Bevel::None;
    bool singleBorder_ = false;
};

class TransparentPanel : public QWidget {
public:
    explicit TransparentPanel(QWidget* parent = nullptr);
};
