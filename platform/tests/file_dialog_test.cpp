#include "platform/runtime.h"
#include "window_fixture.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>
#include <gtest/gtest.h>

namespace vellumark::platform {
namespace {

using testing::MakeWindow;

const char* const kDialog = "通用对话框1";

class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        const ControlSpec controls[] = {{.kind = ControlKind::CommonDlg, .name = kDialog},
                                        {.kind = ControlKind::EditBox, .name = "edit"}};
        window_ = MakeWindow(controls);
        first_ = makeFile("first.jpg");
        second_ = makeFile("second.png");
    }

    Text makeFile(const char* name) const {
        const Text path = dir_.filePath(QString::fromUtf8(name)).toStdString();
        std::ofstream(path) << "content";
        return path;
    }

    PropertyValue fileName() { return ReadProperty(*window_, kDialog, kPropertyFileName); }

    // A chooser that answers with the next of the given answers and
    // remembers what it was offered.
    void answerWith(std::vector<std::optional<Text>> answers) {
        SetFileChooser(*window_, [this, answers = std::move(answers),
                                  next = std::size_t{0}](const Text& offered) mutable {
            offered_.push_back(offered);
            return next < answers.size() ? answers[next++] : std::nullopt;
        });
    }

    QTemporaryDir dir_;
    Text first_, second_;
    std::unique_ptr<Window> window_;
    std::vector<Text> offered_;
};

TEST_F(FileDialogTest, ConfirmStoresThePathCancelKeepsItAndTheLastIsOffered) {
    answerWith({first_, std::nullopt, second_, std::nullopt});

    EXPECT_TRUE(ShowOpenFileDialog(*window_, kDialog));
    EXPECT_EQ(fileName(), PropertyValue(first_));
    EXPECT_FALSE(ShowOpenFileDialog(*window_, kDialog));
    EXPECT_EQ(fileName(), PropertyValue(first_));
    EXPECT_TRUE(ShowOpenFileDialog(*window_, kDialog));
    EXPECT_FALSE(ShowOpenFileDialog(*window_, kDialog));
    EXPECT_EQ(fileName(), PropertyValue(second_));

    EXPECT_EQ(offered_, (std::vector<Text>{"", first_, first_, second_}));
}

TEST_F(FileDialogTest, AcceptsOnlyAnExistingFileAndStoresItsFullPath) {
    answerWith({dir_.filePath("missing.jpg").toStdString(), dir_.path().toStdString(), Text(),
                "relative.jpg"});
    WriteProperty(*window_, kDialog, kPropertyFileName, first_);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(ShowOpenFileDialog(*window_, kDialog));
        EXPECT_EQ(fileName(), PropertyValue(first_));
    }

    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir_.path());
    makeFile("relative.jpg");
    EXPECT_TRUE(ShowOpenFileDialog(*window_, kDialog));
    QDir::setCurrent(previous);
    EXPECT_EQ(fileName(), PropertyValue(dir_.filePath("relative.jpg").toStdString()));
}

TEST_F(FileDialogTest, OnlyADialogControlOpens) {
    answerWith({first_});
    EXPECT_FALSE(ShowOpenFileDialog(*window_, "edit"));
    EXPECT_FALSE(ShowOpenFileDialog(*window_, "missing"));
    EXPECT_TRUE(offered_.empty());
}

// Qt's own dialog, driven as a user would, must offer the last file and
// leave no settings (visited folders, history) on disk.
TEST_F(FileDialogTest, QtDialogOffersTheLastFileAndWritesNoSettings) {
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    WriteProperty(*window_, kDialog, kPropertyFileName, first_);

    QStringList offered;
    bool answerConfirms = true;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        offered = dialog->selectedFiles();
        if (answerConfirms) {
            dialog->selectFile(QString::fromStdString(second_));
            QMetaObject::invokeMethod(dialog, "accept"); // as the Open button does
        } else {
            dialog->reject();
        }
    });
    user.start(10);

    EXPECT_TRUE(ShowOpenFileDialog(*window_, kDialog));
    EXPECT_EQ(offered, QStringList{QString::fromStdString(first_)});
    EXPECT_EQ(fileName(), PropertyValue(second_));

    answerConfirms = false;
    EXPECT_FALSE(ShowOpenFileDialog(*window_, kDialog));
    EXPECT_EQ(offered, QStringList{QString::fromStdString(second_)});
    EXPECT_EQ(fileName(), PropertyValue(second_));

    EXPECT_TRUE(
        QDir(settings.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    const QSettings probe(QSettings::NativeFormat, QSettings::UserScope, "QtProject");
    EXPECT_TRUE(probe.fileName().startsWith(settings.path())) << "settings location not restored";
}

} // namespace
} // namespace vellumark::platform
