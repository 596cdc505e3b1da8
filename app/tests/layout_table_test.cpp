// Checks the layout data on its own, without building the window: the
// controls, the tables that name them and the pictures that come with them.
#include "app/button_table.h"
#include "app/layout.h"
#include "app/mirror_table.h"

#include <QImage>
#include <algorithm>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace vellumark::app {
namespace {

using platform::ControlKind;
using platform::ControlSpec;
using platform::DisplayMode;
using platform::Rgb;

const ControlSpec* Find(std::string_view name) {
    const auto layout = MockupLayout();
    const auto it = std::find_if(layout.begin(), layout.end(),
                                 [name](const ControlSpec& c) { return c.name == name; });
    return it == layout.end() ? nullptr : &*it;
}

int WindowLeft(const ControlSpec& control) {
    const ControlSpec* parent = control.parent.empty() ? nullptr : Find(control.parent);
    return control.left + (parent != nullptr ? parent->left : 0);
}

// Labels over the phone screen, as opposed to the editing panel's (x >= 400).
bool IsPhoneScreenLabel(const ControlSpec& control) {
    return control.kind == ControlKind::TransLabel && WindowLeft(control) < 396;
}

QImage Decode(const ControlSpec& box) {
    return QImage::fromData(box.picture.data(), static_cast<int>(box.picture.size()), "JPEG");
}

TEST(LayoutTable, HoldsTheControlsOfEachKind) {
    std::map<ControlKind, int> counts;
    for (const ControlSpec& control : MockupLayout()) {
        ++counts[control.kind];
    }
    EXPECT_EQ(counts[ControlKind::EditBox], 37);
    EXPECT_EQ(counts[ControlKind::TransLabel], 83);
    EXPECT_EQ(counts[ControlKind::PicBox], 10);
    EXPECT_EQ(counts[ControlKind::Button], 9);
    EXPECT_EQ(counts[ControlKind::Timer], 1);
    EXPECT_EQ(counts[ControlKind::CommonDlg], 1);
    EXPECT_EQ(MockupLayout().size(), 141U);
}

TEST(LayoutTable, NamesAreUniqueAndThePhoneScreenIsTheOnlyParent) {
    // Created first, so every window-level control lies above it.
    ASSERT_FALSE(MockupLayout().empty());
    EXPECT_EQ(MockupLayout().front().name, kPhoneScreenBox);
    std::set<std::string_view> seen;
    for (const ControlSpec& control : MockupLayout()) {
        EXPECT_FALSE(control.name.empty());
        EXPECT_TRUE(seen.insert(control.name).second) << control.name;
        if (!control.parent.empty()) {
            // Parents are created first, so they must already have been seen.
            EXPECT_EQ(control.parent, kPhoneScreenBox) << control.name;
            EXPECT_TRUE(seen.contains(control.parent)) << control.name;
        }
    }
}

TEST(MirrorTable, CopiesEveryEditBoxToOnePhoneScreenLabel) {
    std::multiset<std::string_view> sources, targets;
    for (const MirrorRow& row : kMirrorTable) {
        const ControlSpec* box = Find(row.editBox);
        const ControlSpec* label = Find(row.label);
        ASSERT_NE(box, nullptr) << row.editBox;
        ASSERT_NE(label, nullptr) << row.label;
        EXPECT_EQ(box->kind, ControlKind::EditBox) << row.editBox;
        EXPECT_TRUE(IsPhoneScreenLabel(*label)) << row.label;
        // A label starts with the text its edit box starts with; a row that
        // pairs the wrong roles shows up here.
        EXPECT_EQ(box->text, label->text) << row.editBox << " -> " << row.label;
        sources.insert(row.editBox);
        targets.insert(row.label);
    }
    for (const ControlSpec& control : MockupLayout()) {
        if (control.kind == ControlKind::EditBox) {
            EXPECT_EQ(sources.count(control.name), 1U) << control.name;
        } else if (control.kind == ControlKind::TransLabel) {
            // Panel titles and captions are never mirrored.
            EXPECT_EQ(targets.count(control.name), IsPhoneScreenLabel(control) ? 1U : 0U)
                << control.name;
        }
    }
    // Entry 8's time is copied last but one, after entry 9's rows.
    EXPECT_EQ(kMirrorTable[35].editBox, "编辑框31");
    EXPECT_EQ(kMirrorTable[35].label, "透明标签15");
    EXPECT_EQ(kMirrorTable[36].label, "透明标签37");
}

TEST(ButtonTable, BindsEachButtonToItsOwnAvatarBox) {
    std::set<std::string_view> boxes;
    for (const AvatarButton& entry : kAvatarButtons) {
        const ControlSpec* button = Find(entry.button);
        const ControlSpec* box = Find(entry.avatarBox);
        ASSERT_NE(button, nullptr) << entry.button;
        ASSERT_NE(box, nullptr) << entry.avatarBox;
        EXPECT_EQ(button->kind, ControlKind::Button);
        EXPECT_EQ(box->kind, ControlKind::PicBox);
        EXPECT_NE(entry.avatarBox, kPhoneScreenBox);
        EXPECT_TRUE(boxes.insert(entry.avatarBox).second) << entry.avatarBox;
    }
    // Start-up passes the same nine boxes, never the phone screen.
    const std::set<std::string_view> startup(kStartupAvatarBoxes.begin(),
                                             kStartupAvatarBoxes.end());
    EXPECT_EQ(startup, boxes);
}

struct ExpectedStyle {
    std::string_view text; // the roles are told apart by their default text
    int pixelHeight;
    Rgb colour;
};

TEST(LabelStyles, FollowEachLabelsRole) {
    const ExpectedStyle styles[] = {
        {"今天", 19, {180, 180, 180}},
        {"22:55", 14, {180, 180, 180}},
        {"-9,000.00", 19, {0, 0, 0}},
        {"废物-转帐", 16, {149, 149, 149}},
    };
    int phoneLabels = 0, panelLabels = 0;
    for (const ControlSpec& label : MockupLayout()) {
        if (label.kind != ControlKind::TransLabel) {
            continue;
        }
        ASSERT_TRUE(label.textColour.has_value()) << label.name;
        if (!IsPhoneScreenLabel(label)) {
            ++panelLabels;
            EXPECT_FALSE(label.font.has_value()) << label.name;
            EXPECT_EQ(*label.textColour, (Rgb{0, 255, 0})) << label.name;
            continue;
        }
        ++phoneLabels;
        ASSERT_TRUE(label.font.has_value()) << label.name;
        EXPECT_EQ(label.font->face, "方正黑体简体") << label.name;
        if (label.name == "透明标签37") {
            EXPECT_EQ(label.font->pixelHeight, 12);
            EXPECT_EQ(*label.textColour, (Rgb{255, 255, 255}));
            continue;
        }
        const auto style = std::find_if(std::begin(styles), std::end(styles),
                                        [&](const auto& s) { return s.text == label.text; });
        ASSERT_NE(style, std::end(styles)) << label.name;
        EXPECT_EQ(label.font->pixelHeight, style->pixelHeight) << label.name;
        EXPECT_EQ(*label.textColour, style->colour) << label.name;
    }
    EXPECT_EQ(phoneLabels, 37);
    EXPECT_EQ(panelLabels, 46);
}

struct ExpectedPicture {
    std::string_view box;
    int width, height;
    DisplayMode mode;
};

TEST(Pictures, AreJpegsOfTheDesignedSizesAndModes) {
    const ExpectedPicture pictures[] = {
        {"图片框5", 638, 1136, DisplayMode::Stretch}, {"图片框1", 120, 88, DisplayMode::Stretch},
        {"图片框2", 93, 120, DisplayMode::Stretch},   {"图片框3", 120, 120, DisplayMode::Stretch},
        {"图片框4", 118, 120, DisplayMode::Stretch},  {"图片框6", 199, 198, DisplayMode::Centre},
        {"图片框7", 640, 640, DisplayMode::Centre},   {"图片框8", 369, 369, DisplayMode::Centre},
        {"图片框9", 331, 330, DisplayMode::Centre},   {"图片框10", 424, 421, DisplayMode::Centre},
    };
    for (const ExpectedPicture& expected : pictures) {
        const ControlSpec* box = Find(expected.box);
        ASSERT_NE(box, nullptr) << expected.box;
        ASSERT_GE(box->picture.size(), 2U) << expected.box;
        EXPECT_EQ(box->picture[0], 0xFF) << expected.box;
        EXPECT_EQ(box->picture[1], 0xD8) << expected.box;
        const QImage image = Decode(*box);
        EXPECT_EQ(image.width(), expected.width) << expected.box;
        EXPECT_EQ(image.height(), expected.height) << expected.box;
        EXPECT_EQ(box->displayMode, expected.mode) << expected.box;
        if (expected.box != kPhoneScreenBox) {
            EXPECT_EQ(box->width, 40);
            EXPECT_EQ(box->height, 40);
            EXPECT_EQ(box->background, (Rgb{255, 255, 255})) << expected.box;
        }
    }
}

// Mean colour over the whole picture, 0..255 per channel.
std::array<double, 3> MeanColour(const QImage& image) {
    std::array<double, 3> sum{};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb pixel = rgb.pixel(x, y);
            sum[0] += qRed(pixel);
            sum[1] += qGreen(pixel);
            sum[2] += qBlue(pixel);
        }
    }
    const double count = static_cast<double>(rgb.width()) * rgb.height();
    return {sum[0] / count, sum[1] / count, sum[2] / count};
}

TEST(Pictures, TheNineAvatarsAreClearlyDifferent) {
    std::vector<std::array<double, 3>> means;
    for (std::string_view name : kStartupAvatarBoxes) {
        means.push_back(MeanColour(Decode(*Find(name))));
    }
    for (std::size_t i = 0; i < means.size(); ++i) {
        for (std::size_t j = i + 1; j < means.size(); ++j) {
            const double distance = std::hypot(means[i][0] - means[j][0], means[i][1] - means[j][1],
                                               means[i][2] - means[j][2]);
            EXPECT_GT(distance, 40.0) << kStartupAvatarBoxes[i] << " vs " << kStartupAvatarBoxes[j];
        }
    }
}

} // namespace
} // namespace vellumark::app
