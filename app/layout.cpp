// The layout data. Places are in the parent's client area: "图片框5" sits at
// (-4, 0) without a border, so its children appear 4 pixels further left in
// the window. The places are the design's own and follow no formula.
#include "app/layout.h"

#include "app/assets.h"

#include <cstdint>
#include <iterator>
#include <optional>

namespace vellumark::app {
namespace {

using platform::ControlKind;
using platform::ControlSpec;
using platform::DisplayMode;
using platform::FontSpec;
using platform::Rgb;

// The face the design asks for; where it is missing the system substitutes
// an installed CJK face at the same em height.
constexpr std::string_view kPhoneFace = "方正黑体简体";

struct LabelStyle {
    std::optional<FontSpec> font; // nullopt: the default GUI font
    Rgb colour;
};

constexpr LabelStyle kPeriod{FontSpec{kPhoneFace, 19}, Rgb{180, 180, 180}};
constexpr LabelStyle kTime{FontSpec{kPhoneFace, 14}, Rgb{180, 180, 180}};
constexpr LabelStyle kAmount{FontSpec{kPhoneFace, 19}, Rgb{0, 0, 0}};
constexpr LabelStyle kDescription{FontSpec{kPhoneFace, 16}, Rgb{149, 149, 149}};
constexpr LabelStyle kPhoneClock{FontSpec{kPhoneFace, 12}, Rgb{255, 255, 255}};
constexpr LabelStyle kPanel{std::nullopt, Rgb{0, 255, 0}};

constexpr std::string_view kWindow = "";
constexpr std::string_view kScreen = kPhoneScreenBox;
constexpr Rgb kAvatarBackground{255, 255, 255};
constexpr int kAvatarSide = 40;

// Builds a row field by field: the runtime's record has more fields than any
// one kind uses, and the rest keep their defaults.
constexpr ControlSpec Control(ControlKind kind, std::string_view name, std::string_view parent,
                              int left, int top, int width, int height) {
    ControlSpec control;
    control.kind = kind;
    control.name = name;
    control.parent = parent;
    control.left = left;
    control.top = top;
    control.width = width;
    control.height = height;
    return control;
}

constexpr ControlSpec Label(std::string_view name, std::string_view parent, int left, int top,
                            int width, int height, std::string_view text, const LabelStyle& style) {
    ControlSpec label = Control(ControlKind::TransLabel, name, parent, left, top, width, height);
    label.text = text;
    label.font = style.font;
    label.textColour = style.colour;
    return label;
}

// Panel captions and titles: window-level, default font, green.
constexpr ControlSpec Caption(std::string_view name, int left, int top, std::string_view text) {
    return Label(name, kWindow, left, top, 48, 24, text, kPanel);
}
constexpr ControlSpec Title(std::string_view name, int left, int top, std::string_view text) {
    return Label(name, kWindow, left, top, 56, 24, text, kPanel);
}

constexpr ControlSpec Edit(std::string_view name, int left, int top, int width, int height,
                           std::string_view text) {
    ControlSpec edit = Control(ControlKind::EditBox, name, kWindow, left, top, width, height);
    edit.text = text;
    return edit;
}
constexpr ControlSpec PanelEdit(std::string_view name, int left, int top, std::string_view text) {
    return Edit(name, left, top, 60, 21, text);
}

constexpr ControlSpec Button(std::string_view name, int left, int top, std::string_view caption) {
    ControlSpec button = Control(ControlKind::Button, name, kWindow, left, top, 92, 30);
    button.text = caption;
    return button;
}

constexpr std::span<const std::uint8_t> Picture(const std::uint8_t* bytes, std::size_t size) {
    return {bytes, size};
}

constexpr ControlSpec PictureBox(std::string_view name, std::string_view parent, int left, int top,
                                 int width, int height, std::span<const std::uint8_t> picture,
                                 DisplayMode mode) {
    ControlSpec box = Control(ControlKind::PicBox, name, parent, left, top, width, height);
    box.picture = picture;
    box.displayMode = mode;
    return box;
}

// Avatar boxes are 40 x 40 on white, which shows through a circular
// avatar's transparent corners.
constexpr ControlSpec Avatar(std::string_view name, std::string_view parent, int left, int top,
                             std::span<const std::uint8_t> picture, DisplayMode mode) {
    ControlSpec box = PictureBox(name, parent, left, top, kAvatarSide, kAvatarSide, picture, mode);
    box.background = kAvatarBackground;
    return box;
}

// The default texts of every entry and of its four edit boxes.
constexpr std::string_view kPeriodText = "今天";
constexpr std::string_view kTimeText = "22:55";
constexpr std::string_view kAmountText = "-9,000.00";
constexpr std::string_view kDescriptionText = "废物-转帐";

// Caption texts; the description box's caption reads the same as the amount's.
constexpr std::string_view kPeriodCaption = "周期：";
constexpr std::string_view kTimeCaption = "时间：";
constexpr std::string_view kAmountCaption = "金额：";

constexpr auto kStretch = DisplayMode::Stretch;
constexpr auto kCentre = DisplayMode::Centre;

using namespace assets;

constexpr ControlSpec kLayout[] = {
    // The phone screen, beneath everything that overlaps it.
    PictureBox(kScreen, kWindow, -4, 0, 400, 688, Picture(kPhoneScreen, kPhoneScreenSize),
               kStretch),
    Label("透明标签37", kScreen, 188, -1, 56, 24, kTimeText, kPhoneClock),

    // Entry 1.
    Avatar("图片框1", kWindow, 80, 112, Picture(kAvatar1, kAvatar1Size), kStretch),
    Label("透明标签1", kScreen, 14, 98, 56, 40, kPeriodText, kPeriod),
    Label("透明标签2", kScreen, 16, 128, 48, 24, kTimeText, kTime),
    Label("透明标签19", kScreen, 164, 105, 250, 30, kAmountText, kAmount),
    Label("透明标签20", kScreen, 162, 136, 250, 24, kDescriptionText, kDescription),
    // Entry 2.
    Avatar("图片框2", kWindow, 80, 176, Picture(kAvatar2, kAvatar2Size), kStretch),
    Label("透明标签4", kWindow, 12, 170, 48, 24, kPeriodText, kPeriod),
    Label("透明标签3", kWindow, 12, 193, 48, 24, kTimeText, kTime),
    Label("透明标签21", kWindow, 161, 176, 250, 30, kAmountText, kAmount),
    Label("透明标签22", kWindow, 158, 207, 250, 24, kDescriptionText, kDescription),
    // Entry 3.
    Avatar("图片框3", kWindow, 80, 248, Picture(kAvatar3, kAvatar3Size), kStretch),
    Label("透明标签6", kScreen, 16, 233, 56, 40, kPeriodText, kPeriod),
    Label("透明标签5", kScreen, 18, 263, 48, 24, kTimeText, kTime),
    Label("透明标签23", kWindow, 161, 240, 250, 30, kAmountText, kAmount),
    Label("透明标签24", kWindow, 157, 271, 250, 24, kDescriptionText, kDescription),
    // Entry 4.
    Avatar("图片框4", kWindow, 80, 312, Picture(kAvatar4, kAvatar4Size), kStretch),
    Label("透明标签8", kScreen, 16, 298, 56, 40, kPeriodText, kPeriod),
    Label("透明标签7", kScreen, 18, 329, 48, 24, kTimeText, kTime),
    Label("透明标签25", kWindow, 159, 304, 250, 30, kAmountText, kAmount),
    Label("透明标签26", kWindow, 157, 335, 250, 24, kDescriptionText, kDescription),
    // Entry 5.
    Avatar("图片框6", kScreen, 83, 376, Picture(kAvatar5, kAvatar5Size), kCentre),
    Label("透明标签10", kWindow, 12, 372, 48, 24, kPeriodText, kPeriod),
    Label("透明标签9", kWindow, 14, 395, 48, 24, kTimeText, kTime),
    Label("透明标签27", kWindow, 158, 368, 250, 30, kAmountText, kAmount),
    Label("透明标签28", kWindow, 156, 399, 250, 24, kDescriptionText, kDescription),
    // Entry 6.
    Avatar("图片框7", kScreen, 83, 440, Picture(kAvatar6, kAvatar6Size), kCentre),
    Label("透明标签12", kScreen, 16, 425, 56, 40, kPeriodText, kPeriod),
    Label("透明标签11", kScreen, 18, 456, 48, 24, kTimeText, kTime),
    Label("透明标签29", kScreen, 162, 424, 250, 30, kAmountText, kAmount),
    Label("透明标签30", kScreen, 159, 463, 250, 24, kDescriptionText, kDescription),
    // Entry 7.
    Avatar("图片框8", kScreen, 83, 505, Picture(kAvatar7, kAvatar7Size), kCentre),
    Label("透明标签14", kScreen, 16, 492, 56, 40, kPeriodText, kPeriod),
    Label("透明标签13", kScreen, 18, 523, 48, 24, kTimeText, kTime),
    Label("透明标签31", kScreen, 161, 496, 250, 30, kAmountText, kAmount),
    Label("透明标签32", kScreen, 160, 527, 250, 24, kDescriptionText, kDescription),
    // Entry 8.
    Avatar("图片框9", kScreen, 83, 575, Picture(kAvatar8, kAvatar8Size), kCentre),
    Label("透明标签16", kScreen, 16, 560, 56, 40, kPeriodText, kPeriod),
    Label("透明标签15", kScreen, 18, 592, 48, 24, kTimeText, kTime),
    Label("透明标签33", kWindow, 158, 560, 250, 30, kAmountText, kAmount),
    Label("透明标签34", kWindow, 157, 591, 250, 24, kDescriptionText, kDescription),
    // Entry 9.
    Avatar("图片框10", kScreen, 83, 640, Picture(kAvatar9, kAvatar9Size), kCentre),
    Label("透明标签18", kWindow, 12, 633, 48, 24, kPeriodText, kPeriod),
    Label("透明标签17", kWindow, 14, 656, 250, 24, kTimeText, kTime),
    Label("透明标签35", kWindow, 159, 624, 250, 30, kAmountText, kAmount),
    Label("透明标签36", kWindow, 157, 655, 250, 24, kDescriptionText, kDescription),

    // The editing panel, group by group: title, then caption and edit box for
    // period, time, amount and description, then the avatar button.
    Title("透明标签38", 439, 0, "第一组"),
    Caption("透明标签39", 400, 24, kPeriodCaption),
    PanelEdit("编辑框1", 434, 24, kPeriodText),
    Caption("透明标签40", 400, 50, kTimeCaption),
    PanelEdit("编辑框2", 434, 50, kTimeText),
    Caption("透明标签41", 401, 78, kAmountCaption),
    PanelEdit("编辑框3", 434, 78, kAmountText),
    Caption("透明标签42", 400, 104, kAmountCaption),
    PanelEdit("编辑框4", 434, 104, kDescriptionText),
    Button("按钮1", 400, 129, "修改第一个头像"),

    Title("透明标签47", 439, 168, "第二组"),
    Caption("透明标签46", 400, 192, kPeriodCaption),
    PanelEdit("编辑框8", 434, 192, kPeriodText),
    Caption("透明标签45", 400, 218, kTimeCaption),
    PanelEdit("编辑框7", 434, 218, kTimeText),
    Caption("透明标签44", 401, 246, kAmountCaption),
    PanelEdit("编辑框6", 434, 246, kAmountText),
    Caption("透明标签43", 400, 272, kAmountCaption),
    PanelEdit("编辑框5", 434, 272, kDescriptionText),
    Button("按钮2", 400, 297, "修改第二个头像"),

    Title("透明标签52", 439, 336, "第三组"),
    Caption("透明标签51", 400, 360, kPeriodCaption),
    PanelEdit("编辑框12", 434, 360, kPeriodText),
    Caption("透明标签50", 400, 386, kTimeCaption),
    PanelEdit("编辑框11", 434, 386, kTimeText),
    Caption("透明标签49", 401, 414, kAmountCaption),
    PanelEdit("编辑框10", 434, 414, kAmountText),
    Caption("透明标签48", 400, 440, kAmountCaption),
    PanelEdit("编辑框9", 434, 440, kDescriptionText),
    Button("按钮3", 400, 465, "修改第三个头像"),

    Title("透明标签57", 559, 0, "第四组"),
    Caption("透明标签56", 520, 24, kPeriodCaption),
    PanelEdit("编辑框16", 554, 24, kPeriodText),
    Caption("透明标签55", 520, 50, kTimeCaption),
    PanelEdit("编辑框15", 554, 50, kTimeText),
    Caption("透明标签54", 521, 78, kAmountCaption),
    PanelEdit("编辑框14", 554, 78, kAmountText),
    Caption("透明标签53", 520, 104, kAmountCaption),
    PanelEdit("编辑框13", 554, 104, kDescriptionText),
    Button("按钮4", 520, 129, "修改第四个头像"),

    Title("透明标签62", 559, 168, "第五组"),
    Caption("透明标签61", 520, 192, kPeriodCaption),
    PanelEdit("编辑框20", 554, 192, kPeriodText),
    Caption("透明标签60", 520, 218, kTimeCaption),
    PanelEdit("编辑框19", 554, 218, kTimeText),
    Caption("透明标签59", 521, 246, kAmountCaption),
    PanelEdit("编辑框18", 554, 246, kAmountText),
    Caption("透明标签58", 520, 272, kAmountCaption),
    PanelEdit("编辑框17", 554, 272, kDescriptionText),
    Button("按钮5", 520, 297, "修改第五个头像"),

    Title("透明标签67", 559, 337, "第六组"),
    Caption("透明标签66", 520, 361, kPeriodCaption),
    PanelEdit("编辑框24", 554, 361, kPeriodText),
    Caption("透明标签65", 520, 387, kTimeCaption),
    PanelEdit("编辑框23", 554, 387, kTimeText),
    Caption("透明标签64", 521, 415, kAmountCaption),
    PanelEdit("编辑框22", 554, 415, kAmountText),
    Caption("透明标签63", 520, 441, kAmountCaption),
    PanelEdit("编辑框21", 554, 441, kDescriptionText),
    Button("按钮6", 520, 466, "修改第六个头像"),

    Title("透明标签72", 677, -1, "第七组"),
    Caption("透明标签71", 638, 23, kPeriodCaption),
    PanelEdit("编辑框28", 672, 23, kPeriodText),
    Caption("透明标签70", 638, 49, kTimeCaption),
    PanelEdit("编辑框27", 672, 49, kTimeText),
    Caption("透明标签69", 639, 77, kAmountCaption),
    PanelEdit("编辑框26", 672, 77, kAmountText),
    Caption("透明标签68", 638, 103, kAmountCaption),
    PanelEdit("编辑框25", 672, 103, kDescriptionText),
    Button("按钮7", 638, 128, "修改第七个头像"),

    Title("透明标签77", 679, 168, "第八组"),
    Caption("透明标签76", 640, 192, kPeriodCaption),
    PanelEdit("编辑框32", 674, 192, kPeriodText),
    Caption("透明标签75", 640, 218, kTimeCaption),
    PanelEdit("编辑框31", 674, 218, kTimeText),
    Caption("透明标签74", 640, 247, kAmountCaption),
    PanelEdit("编辑框30", 674, 246, kAmountText),
    Caption("透明标签73", 640, 272, kAmountCaption),
    PanelEdit("编辑框29", 674, 272, kDescriptionText),
    Button("按钮8", 640, 297, "修改第八个头像"),

    Title("透明标签82", 679, 337, "第九组"),
    Caption("透明标签81", 640, 361, kPeriodCaption),
    PanelEdit("编辑框36", 674, 361, kPeriodText),
    Caption("透明标签80", 640, 387, kTimeCaption),
    PanelEdit("编辑框35", 674, 387, kTimeText),
    Caption("透明标签79", 641, 415, kAmountCaption),
    PanelEdit("编辑框34", 674, 415, kAmountText),
    Caption("透明标签78", 640, 441, kAmountCaption),
    PanelEdit("编辑框33", 674, 441, kDescriptionText),
    Button("按钮9", 640, 466, "修改第九个头像"),

    // The phone-clock editor.
    Label("透明标签83", kWindow, 408, 512, 56, 16, "手机时间：", kPanel),
    Edit("编辑框37", 472, 508, 88, 24, kTimeText),

    // Not shown at run time; their places have no effect. The timer stays at
    // period 0 until the created handler starts it.
    Control(ControlKind::Timer, kMirrorTimer, kWindow, 728, 624, 24, 24),
    Control(ControlKind::CommonDlg, kFileDialog, kWindow, 720, 664, 32, 16),
};

static_assert(std::size(kLayout) == 141, "the mock-up window has 141 controls");

constexpr platform::WindowSpec kWindowSpec{"Vellumark 1.0", 770, 688, Rgb{0, 0, 0}};

} // namespace

const platform::WindowSpec& MockupWindowSpec() {
    return kWindowSpec;
}

std::span<const platform::ControlSpec> MockupLayout() {
    return kLayout;
}

} // namespace vellumark::app
