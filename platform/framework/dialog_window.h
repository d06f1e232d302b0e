#pragma once
// The Qt window of a Dialog: its controls made from the template, keyboard handling and the
// system menu. Internal to the framework.

#include <QDialog>
#include <memory>
#include <utility>
#include <vector>

#include "platform/framework/resources.h"

class QMenu;

namespace framework {

class Dialog;

// A Qt object made with a parent among its arguments: the parent owns it from then on.
template <typename Object, typename... Args>
Object* MakeChild(Args&&... args)
{
    auto child = std::make_unique<Object>(std::forward<Args>(args)...);
    Q_ASSERT(child->parent() != nullptr);
    return child.release();
}

// Converts dialog units to pixels with the average character width and the height of a font.
struct DialogUnits {
    static DialogUnits ForFont(const QFont& font);
    int ToPixelsX(int x) const { return (x * baseX + 2) / 4; }
    int ToPixelsY(int y) const { return (y * baseY + 4) / 8; }
    QRect ToPixels(int x, int y, int width, int height) const;
    int baseX;
    int baseY;
};

class DialogWindow : public QDialog {
public:
    DialogWindow(Dialog& owner, const DialogTemplate& dialogTemplate, QWidget* parent);
    ~DialogWindow() override;

    const DialogTemplate& Template() const { return template_; }
    // Null when there is no control of that id.
    QWidget* Control(int controlId) const;
    const ControlTemplate* ControlTemplateOf(int controlId) const;
    int ControlIdOf(const QWidget* widget) const;
    QWidget* FirstTabStop() const;

    QMenu* SystemMenu() const { return systemMenu_; }
    void ShowSystemMenu(const QPoint& globalPos);

    // The innermost dialog window that is open, which owns message boxes and nested dialogs.
    static DialogWindow* Innermost();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void reject() override;

private:
    QWidget* MakeControl(const ControlTemplate& control, const DialogUnits& units);

    Dialog& owner_;
    const DialogTemplate& template_;
    std::vector<std::pair<int, QWidget*>> controls_;  // in template order; the window owns them
    std::vector<QWidget*> tabStops_;
    QMenu* systemMenu_ = nullptr;
};

}  // namespace framework
