// The open-file dialog of a CommonDlg control. The user's part (choosing a
// file or cancelling) is either a FileChooser set by a test or Qt's widget
// file dialog; either way only an existing file is accepted, and its full
// path becomes the control's file name.
#include "platform/runtime_window.h"
#include "platform/settings_sandbox.h"

#include <QFileDialog>
#include <QFileInfo>
#include <optional>

namespace vellumark::platform {

namespace {

QString ToQString(const Text& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::optional<Text> AskWithFileDialog(QWidget* parent, const Text& offeredName) {
    // Declared before the dialog: the dialog saves its history as it is
    // destroyed, and that must still go nowhere.
    const SettingsSandbox sandbox;
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ReadOnly); // no renaming or deleting from an open dialog
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!offeredName.empty()) {
        const QFileInfo offered(ToQString(offeredName));
        dialog.setDirectory(offered.absolutePath());
        dialog.selectFile(offered.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst().toStdString();
}

// The full path of an existing file that is not a folder, or nullopt.
std::optional<Text> ExistingFileFullPath(const Text& name) {
    if (name.empty() || name.find('\0') != Text::npos) {
        return std::nullopt;
    }
    const QFileInfo info(ToQString(name));
    if (!info.exists() || info.isDir()) {
        return std::nullopt;
    }
    return info.absoluteFilePath().toStdString();
}

} // namespace

bool ShowOpenFileDialog(Window& window, std::string_view dialog) {
    RuntimeWindow* runtime = RuntimeWindow::From(window);
    const Control* control = runtime != nullptr ? runtime->find(dialog) : nullptr;
    if (control == nullptr || control->kind != ControlKind::CommonDlg) {
        return false;
    }
    // The chooser or the dialog's event loop may run other handlers; keep
    // our own copy of the offered name.
    const Text offered = control->fileName;
    const std::shared_ptr<const FileChooser> chooser = runtime->fileChooser();
    const std::optional<Text> chosen =
        chooser ? (*chooser)(offered) : AskWithFileDialog(&runtime->widget(), offered);
    const std::optional<Text> path = chosen ? ExistingFileFullPath(*chosen) : std::nullopt;
    if (!path) {
        return false;
    }
    runtime->find(dialog)->fileName = *path;
    return true;
}

void SetFileChooser(Window& window, FileChooser chooser) {
    if (RuntimeWindow* runtime = RuntimeWindow::From(window); runtime != nullptr) {
        runtime->setFileChooser(std::move(chooser));
    }
}

} // namespace vellumark::platform
