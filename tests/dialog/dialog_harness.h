#pragma once
// The real main dialog, open without waiting, over a private store in a temporary Wine prefix;
// message boxes and nested dialogs are answered by a test hook.

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <string>
#include <vector>

#include "app/dizored_dlg.h"
#include "platform/framework/test_hook.h"
#include "tests/support/store_writer.h"
#include "tests/support/temp_dir.h"

namespace dialog_test {

class DialogHarness {
public:
    // Writes the store (or none) before the dialog opens.
    explicit DialogHarness(const test_support::StoreWriter* store = nullptr);
    ~DialogHarness();

    CDizoredDlg& Dialog() { return dialog_; }
    QWidget& Window() const;
    QLineEdit& IdEdit() const;
    QLineEdit& PasswordEdit() const;
    QListWidget& CertList() const;
    QPushButton& QueryButton() const;
    QPushButton& ImportButton() const;
    framework::ModalTestHook& Hook() { return hook_; }
    const std::string& PrefixPath() const { return prefix_.Path(); }

    // Types the identifier (after clearing the edit) and clicks the query button.
    void Query(const std::string& id);
    void SelectLine(const std::string& line);
    void TypePassword(const std::string& password);

    std::vector<std::string> ListLines() const;
    // The texts of the message boxes shown so far; cleared by each call.
    std::vector<std::string> TakeMessages();

private:
    test_support::TempDir prefix_;
    test_support::ScopedEnv winePrefix_;
    framework::ModalTestHook hook_;
    CDizoredDlg dialog_;
};

// Types text key by key, as a keyboard or input method delivers it (any script).
void TypeText(QWidget& widget, const QString& text);

// The test executable's own file name without its extension: the application's name.
std::string ExpectedAppName();

}  // namespace dialog_test
