// The nine avatar buttons, with a stand-in for the user at the open-file
// dialog: it answers from a script and remembers what it was offered.
#include "app/button_table.h"
#include "app/layout.h"
#include "window_fixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <deque>
#include <map>
#include <optional>
#include <variant>

namespace vellumark::app::testing {
namespace {

class AvatarButtonTest : public MockupWindowTest {
protected:
    void SetUp() override {
        MockupWindowTest::SetUp();
        ASSERT_TRUE(files_.isValid());
        platform::SetFileChooser(window(), [this](const Text& offered) {
            offered_.push_back(offered);
            std::optional<Text> answer;
            if (!answers_.empty()) {
                answer = answers_.front();
                answers_.pop_front();
            }
            return answer;
        });
    }

    Text MakeFile(const QString& name, const Bytes& content) {
        const QString path = files_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(content.data()),
                   static_cast<qint64>(content.size()));
        return path.toStdString();
    }

    // The user confirms this file at the next dialog (nullopt: cancels).
    void Answer(std::optional<Text> choice) { answers_.push_back(std::move(choice)); }

    std::map<std::string_view, Bytes> AllPictures() {
        std::map<std::string_view, Bytes> pictures;
        for (std::string_view box : ControlsOfKind(platform::ControlKind::PicBox)) {
            pictures[box] = ReadPicture(box);
        }
        return pictures;
    }

    Text DialogFileName() {
        const auto value =
            platform::ReadProperty(window(), kFileDialog, platform::kPropertyFileName);
        return std::holds_alternative<Text>(value) ? std::get<Text>(value) : Text{"<no text>"};
    }

    // Bytes of a real picture that none of the avatar boxes starts with.
    static Bytes OtherPicture() {
        const platform::ControlSpec& screen = MockupLayout().front();
        return {screen.picture.begin(), screen.picture.end()};
    }

    QTemporaryDir files_;
    std::deque<std::optional<Text>> answers_;
    std::vector<Text> offered_;
};

TEST_F(AvatarButtonTest, CancellingChangesNothing) {
    const auto before = AllPictures();
    Answer(std::nullopt);
    Click("按钮3");
    ASSERT_EQ(offered_.size(), 1U);
    EXPECT_EQ(offered_[0], "");
    EXPECT_EQ(AllPictures(), before);
    EXPECT_EQ(DialogFileName(), "");
}

TEST_F(AvatarButtonTest, ButtonFiveChangesEntryFivesAvatarAndNoOtherBox) {
    const Text path = MakeFile("picture.jpg", OtherPicture());
    auto expected = AllPictures();
    const QImage shown = Grab();

    Answer(path);
    Click("按钮5");

    const auto after = AllPictures();
    EXPECT_NE(after.at("图片框6"), expected.at("图片框6"));
    EXPECT_FALSE(after.at("图片框6").empty());
    expected["图片框6"] = after.at("图片框6");
    EXPECT_EQ(after, expected);
    EXPECT_EQ(DialogFileName(), path);
    // On the phone screen only that box is redrawn (the clicked button itself
    // may show its focus).
    const QRect phone(0, 0, 396, 688);
    const QRect changed = DifferenceBounds(shown.copy(phone), Grab().copy(phone));
    EXPECT_FALSE(changed.isEmpty());
    EXPECT_TRUE(WindowRect("图片框6").contains(changed));
}

TEST_F(AvatarButtonTest, EveryButtonsDialogOffersTheLastConfirmedFileAndCancelKeepsIt) {
    const Text first = MakeFile("first.jpg", OtherPicture());
    Answer(first);
    Click("按钮1");
    const auto afterConfirm = AllPictures();

    Answer(std::nullopt);
    Click("按钮2");
    ASSERT_EQ(offered_.size(), 2U);
    EXPECT_EQ(offered_[1], first);
    EXPECT_EQ(AllPictures(), afterConfirm);
    EXPECT_EQ(DialogFileName(), first);
}

TEST_F(AvatarButtonTest, AnEmptyFileLeavesTheBoxWhite) {
    const Text empty = MakeFile("empty.jpg", {});
    Answer(empty);
    Click("按钮9");
    EXPECT_TRUE(ReadPicture("图片框10").empty());
    const QImage client = Grab();
    const QRect box = WindowRect("图片框10");
    for (const QPoint point : {box.center(), box.topLeft() + QPoint(2, 2)}) {
        EXPECT_EQ(client.pixel(point), qRgb(255, 255, 255)) << point.x() << "," << point.y();
    }
}

} // namespace
} // namespace vellumark::app::testing
