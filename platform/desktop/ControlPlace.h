#pragma once
// What every control offers the other windows by name: its own Enabled and Visible flags (as
// set on the control, whether or not its window is shown) and its place and size in pixels of
// its window. A control class takes this as its second base and puts CONTROL_PLACE_PROPERTIES
// after Q_OBJECT for the Qt properties over it (Enabled and Visible are written through QWidget's
// own setters).
#include <QWidget>

namespace ControlState {
inline bool enabled(const QWidget *w)
{
    return !w->testAttribute(Qt::WA_ForceDisabled);
}
inline bool visible(const QWidget *w)
{
    return !(w->testAttribute(Qt::WA_WState_Hidden) && w->testAttribute(Qt::WA_WState_ExplicitShowHide));
}
} // namespace ControlState

template<class Self>
class ControlPlace {
public:
    bool Enabled() const { return ControlState::enabled(self()); }
    bool Visible() const { return ControlState::visible(self()); }
    int Left() const { return self()->x(); }
    int Top() const { return self()->y(); }
    int Width() const { return self()->width(); }
    int Height() const { return self()->height(); }
    void setLeft(int left) { self()->move(left, self()->y()); }
    void setTop(int top) { self()->move(self()->x(), top); }
    void setWidth(int width) { self()->resize(width, self()->height()); }
    void setHeight(int height) { self()->resize(self()->width(), height); }

private:
    const Self *self() const { return static_cast<const Self *>(this); }
    Self *self() { return static_cast<Self *>(this); }
};

#define CONTROL_PLACE_PROPERTIES                                                                                      \
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)                                                             \
    Q_PROPERTY(bool Visible READ Visible WRITE setVisible)                                                             \
    Q_PROPERTY(int Left READ Left WRITE setLeft)                                                                       \
    Q_PROPERTY(int Top READ Top WRITE setTop)                                                                          \
    Q_PROPERTY(int Width READ Width WRITE setWidth)                                                                    \
    Q_PROPERTY(int Height READ Height WRITE setHeight)
