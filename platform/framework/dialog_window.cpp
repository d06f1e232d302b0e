#include "platform/framework/dialog_window.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>
#include <charconv>

#include "platform/framework/dialog.h"
#include "platform/framework/icon_loader.h"

namespace framework {

namespace {

std::vector<DialogWindow*> g_openWindows;

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

Qt::WindowFlags WindowFlagsFor(unsigned style)
{
    Qt::WindowFlags flags = (style & kAppWindow) ? Qt::Window : Qt::Dialog;
    flags |= Qt::CustomizeWindowHint;  // no minimise or maximise button unless asked for
    if (style & kCaption)
        flags |= Qt::WindowTitleHint;
    if (style & kSystemMenu)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    return flags;
}

}  // namespace

DialogUnits DialogUnits::ForFont(const QFont& font)
{
    QFontMetrics metrics(font);
    int alphabetWidth = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(alphabetWidth / 26 + 1) / 2, metrics.height()};
}

QRect DialogUnits::ToPixels(int x, int y, int width, int height) const
{
    return {ToPixelsX(x), ToPixelsY(y), ToPixelsX(width), ToPixelsY(height)};
}

DialogWindow::DialogWindow(Dialog& owner, const DialogTemplate& dialogTemplate, QWidget* parent)
    : QDialog(parent, WindowFlagsFor(dialogTemplate.style)), owner_(owner), template_(dialogTemplate)
{
    setObjectName(QStringLiteral("dialog%1").arg(dialogTemplate.id));
    setWindowTitle(ToQString(dialogTemplate.caption));
    setAccessibleName(windowTitle());

    QFont dialogFont = QApplication::font();
    dialogFont.setPointSize(dialogTemplate.pointSize);
    setFont(dialogFont);
    DialogUnits units = DialogUnits::ForFont(dialogFont);

    for (const ControlTemplate& control : dialogTemplate.controls) {
        QWidget* widget = MakeControl(control, units);
        controls_.emplace_back(control.id, widget);
        if (control.style & kTabStop)
            tabStops_.push_back(widget);
    }
    for (size_t i = 1; i < tabStops_.size(); ++i)
        QWidget::setTabOrder(tabStops_[i - 1], tabStops_[i]);

    // Controls are placed once; resizing the window moves none of them.
    QSize size(units.ToPixelsX(dialogTemplate.width), units.ToPixelsY(dialogTemplate.height));
    if (dialogTemplate.style & kSizingBorder)
        resize(size);
    else
        setFixedSize(size);

    if (dialogTemplate.style & kSystemMenu) {
        systemMenu_ = MakeChild<QMenu>(this);
        systemMenu_->setObjectName(QStringLiteral("systemMenu"));
        // On a Linux desktop the window manager owns the title bar, so the menu opens from the
        // dialog's context menu and from Alt+Space.
        auto* shortcut = MakeChild<QShortcut>(QKeySequence(Qt::ALT | Qt::Key_Space), this);
        connect(shortcut, &QShortcut::activated, this, [this] { ShowSystemMenu(mapToGlobal(QPoint(0, 0))); });
    }
    g_openWindows.push_back(this);
}

DialogWindow::~DialogWindow()
{
    std::erase(g_openWindows, this);
}

QWidget* DialogWindow::MakeControl(const ControlTemplate& control, const DialogUnits& units)
{
    QString text = ToQString(control.text);
    QWidget* widget = nullptr;
    switch (control.kind) {
    case ControlKind::Static: {
        auto* label = MakeChild<QLabel>(text, this);
        label->setAlignment(((control.style & kCentered) ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
        widget = label;
        break;
    }
    case ControlKind::Icon: {
        auto* label = MakeChild<QLabel>(this);
        QRect box = units.ToPixels(control.x, control.y, control.width, control.height);
        // As in a resource script, an icon control's text names its icon resource.
        int iconId = -1;
        std::from_chars(control.text.data(), control.text.data() + control.text.size(), iconId);
        label->setPixmap(LoadQIcon(Icon::Load(iconId)).pixmap(box.size()));
        widget = label;
        break;
    }
    case ControlKind::PushButton: {
        auto* button = MakeChild<QPushButton>(text, this);
        // Enter is dispatched by the window (keyPressEvent), so Qt must not make a button the
        // default on its own.
        button->setAutoDefault(false);
        button->setDefault(control.style & kDefaultButton);
        connect(button, &QPushButton::clicked, this, [this, id = control.id] { owner_.OnCommandMessage(id, BN_CLICKED); });
        widget = button;
        break;
    }
    case ControlKind::Edit: {
        auto* edit = MakeChild<QLineEdit>(this);
        edit->setFrame(control.style & kBorder);
        connect(edit, &QLineEdit::textChanged, this, [this, id = control.id] { owner_.OnCommandMessage(id, EN_CHANGE); });
        widget = edit;
        break;
    }
    case ControlKind::ListBox: {
        auto* list = MakeChild<QListWidget>(this);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setVerticalScrollBarPolicy((control.style & kVScroll) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        if (!(control.style & kBorder))
            list->setFrameShape(QFrame::NoFrame);
        if (control.style & kNotify)
            connect(list, &QListWidget::currentRowChanged, this,
                    [this, id = control.id] { owner_.OnCommandMessage(id, LBN_SELCHANGE); });
        widget = list;
        break;
    }
    }
    widget->setGeometry(units.ToPixels(control.x, control.y, control.width, control.height));
    widget->setObjectName(ToQString(control.objectName));
    widget->setAccessibleName(ToQString(control.accessibleName));
    if (control.kind == ControlKind::Static || control.kind == ControlKind::Icon)
        widget->setFocusPolicy(Qt::NoFocus);
    else
        widget->setFocusPolicy((control.style & kTabStop) ? Qt::StrongFocus : Qt::ClickFocus);
    return widget;
}

QWidget* DialogWindow::Control(int controlId) const
{
    auto it = std::find_if(controls_.begin(), controls_.end(), [controlId](const auto& c) { return c.first == controlId; });
    return it == controls_.end() ? nullptr : it->second;
}

const ControlTemplate* DialogWindow::ControlTemplateOf(int controlId) const
{
    auto it = std::find_if(template_.controls.begin(), template_.controls.end(),
                           [controlId](const ControlTemplate& c) { return c.id == controlId; });
    return it == template_.controls.end() ? nullptr : &*it;
}

int DialogWindow::ControlIdOf(const QWidget* widget) const
{
    auto it = std::find_if(controls_.begin(), controls_.end(), [widget](const auto& c) { return c.second == widget; });
    return it == controls_.end() ? -1 : it->first;
}

QWidget* DialogWindow::FirstTabStop() const
{
    return tabStops_.empty() ? nullptr : tabStops_.front();
}

void DialogWindow::ShowSystemMenu(const QPoint& globalPos)
{
    if (systemMenu_ && !systemMenu_->isEmpty())
        systemMenu_->popup(globalPos);
}

DialogWindow* DialogWindow::Innermost()
{
    auto it = std::find_if(g_openWindows.rbegin(), g_openWindows.rend(), [](DialogWindow* w) { return w->isVisible(); });
    return it == g_openWindows.rend() ? nullptr : *it;
}

void DialogWindow::keyPressEvent(QKeyEvent* event)
{
    // Enter clicks the focused button, else the default button; without either it goes to the
    // dialog's OK handler.
    bool plainEnter = event->modifiers() == Qt::NoModifier
                      || (event->modifiers() == Qt::KeypadModifier && event->key() == Qt::Key_Enter);
    if (plainEnter && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        auto* target = qobject_cast<QPushButton*>(focusWidget());
        if (!target) {
            const QList<QPushButton*> buttons = findChildren<QPushButton*>();
            auto found = std::find_if(buttons.begin(), buttons.end(), [](QPushButton* b) { return b->isDefault(); });
            target = found == buttons.end() ? nullptr : *found;
        }
        if (target) {
            if (target->isEnabled())
                target->click();
        } else {
            owner_.OnOK();
        }
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);  // Escape ends in reject()
}

void DialogWindow::contextMenuEvent(QContextMenuEvent* event)
{
    ShowSystemMenu(event->globalPos());
}

void DialogWindow::reject()
{
    owner_.OnCancel();  // Escape and the close box
}

}  // namespace framework
