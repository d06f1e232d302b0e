#include "platform/framework/controls.h"

#include <QLineEdit>
#include <QListWidget>

#include "platform/framework/byte_limit_validator.h"
#include "platform/framework/dialog.h"
#include "platform/framework/dialog_window.h"

namespace framework {

namespace {

template <typename Widget>
Widget* Find(const Dialog* dialog, int controlId)
{
    return dialog ? qobject_cast<Widget*>(dialog->GetDlgItem(controlId)) : nullptr;
}

// Case-insensitive first, so that "abc" and "ABD" sit together; exact order breaks ties.
int CompareLines(const QString& a, const QString& b)
{
    int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded : QString::compare(a, b, Qt::CaseSensitive);
}

}  // namespace

std::string Edit::GetWindowText() const
{
    QLineEdit* edit = Find<QLineEdit>(dialog_, controlId_);
    return edit ? edit->text().toStdString() : std::string();
}

void Edit::SetWindowText(const std::string& text)
{
    if (QLineEdit* edit = Find<QLineEdit>(dialog_, controlId_))
        edit->setText(QString::fromStdString(text));
}

void Edit::SetLimitText(int maxBytes)
{
    if (QLineEdit* edit = Find<QLineEdit>(dialog_, controlId_))
        edit->setValidator(MakeChild<ByteLimitValidator>(maxBytes, edit));
}

int ListBox::AddString(const std::string& text)
{
    QListWidget* list = Find<QListWidget>(dialog_, controlId_);
    if (!list)
        return LB_ERR;
    QString line = QString::fromStdString(text);
    int index = list->count();
    const auto* window = static_cast<const DialogWindow*>(dialog_->Window());
    if (window->ControlTemplateOf(controlId_)->style & kSorted) {
        // After every line that sorts before it or equal to it.
        int low = 0;
        int high = list->count();
        while (low < high) {
            int middle = (low + high) / 2;
            if (CompareLines(list->item(middle)->text(), line) <= 0)
                low = middle + 1;
            else
                high = middle;
        }
        index = low;
    }
    list->insertItem(index, line);
    return index;
}

int ListBox::GetCurSel() const
{
    QListWidget* list = Find<QListWidget>(dialog_, controlId_);
    if (!list)
        return LB_ERR;
    const QModelIndexList selected = list->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? LB_ERR : selected.first().row();
}

std::string ListBox::GetText(int index) const
{
    QListWidget* list = Find<QListWidget>(dialog_, controlId_);
    QListWidgetItem* item = list ? list->item(index) : nullptr;
    return item ? item->text().toStdString() : std::string();
}

void DataExchange::BindControl(int controlId, Edit& edit)
{
    edit.dialog_ = &dialog_;
    edit.controlId_ = controlId;
}

void DataExchange::BindControl(int controlId, ListBox& listBox)
{
    listBox.dialog_ = &dialog_;
    listBox.controlId_ = controlId;
}

}  // namespace framework
