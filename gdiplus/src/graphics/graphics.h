// A drawing surface on a bitmap or a device context: what it draws into, the
// rendering settings, the coordinate spaces (world transform, then page unit
// and scale, to device pixels), the clip and the stack of saved states.
//
// The surface names its bitmap or device context by handle and looks it up
// for every draw, so one disposed of while a surface is open makes later
// draws fail instead of touching freed pixels. A surface opened on a window
// owns the window's device context and gives it back when it goes; one whose
// device context is out (GdipGetDC) is busy until that comes back.
#pragma once

#include "core/object.h"
#include "core/result.h"
#include "gdi/device_context.h"
#include "gdi/owned_dc.h"
#include "gdiplus/gdiplus.h"
#include "graphics/render_settings.h"

#include <QPainterPath>
#include <QTransform>
#include <optional>
#include <utility>
#include <vector>

namespace vellumark::gdiplus {

class Graphics final : public Object {
public:
    static constexpr ObjectKind kKind = ObjectKind::Graphics;

    Graphics(GpImage target, REAL dpiX, REAL dpiY) : target_{target, 0}, dpiX_(dpiX), dpiY_(dpiY) {}
    Graphics(SurfaceTarget target, REAL dpiX, REAL dpiY)
        : target_(target), dpiX_(dpiX), dpiY_(dpiY) {}

    ObjectKind kind() const override { return kKind; }
    bool busy() const override { return handedOutDc_.has_value(); }

    // The image drawn into; 0 for a surface on a device context.
    GpImage target() const { return target_.image; }
    // The image or device context drawn into.
    const SurfaceTarget& surfaceTarget() const { return target_; }

    // Takes ownership of the window device context the surface draws into.
    void ownWindowDc(OwnedDc dc) { windowDc_.emplace(std::move(dc)); }
    // The device context GdipGetDC handed out, 0 while none is out.
    HDC handedOutDc() const { return handedOutDc_ ? handedOutDc_->dc() : 0; }
    void handOutDc(OwnedDc dc) { handedOutDc_.emplace(std::move(dc)); }
    void takeBackDc() { handedOutDc_.reset(); }
    REAL dpiX() const { return dpiX_; }
    REAL dpiY() const { return dpiY_; }

    RenderSettings& settings() { return state_.settings; }
    const RenderSettings& settings() const { return state_.settings; }

    const QTransform& worldTransform() const { return state_.world; }
    void setWorldTransform(const QTransform& world) { state_.world = world; }
    GpUnit pageUnit() const { return state_.pageUnit; }
    void setPageUnit(GpUnit unit) { state_.pageUnit = unit; }
    REAL pageScale() const { return state_.pageScale; }
    void setPageScale(REAL scale) { state_.pageScale = scale; }

    // Device pixels in one unit (not the world unit) at a resolution.
    static qreal pixelsPerUnit(GpUnit unit, REAL dpi);
    // Page coordinates to device pixels.
    QTransform pageTransform() const;
    // World coordinates to device pixels.
    QTransform deviceTransform() const { return state_.world * pageTransform(); }

    // The clip in device pixels; none while unclipped.
    const std::optional<QPainterPath>& clip() const { return state_.clip; }
    void setClip(std::optional<QPainterPath> clip) { state_.clip = std::move(clip); }

    // Saves settings, transforms and clip; the number names the state.
    UINT save();
    // Restores a saved state and drops it and every state saved after it;
    // an unknown number changes nothing and is not an error, as published.
    void restore(UINT state);

private:
    struct State {
        RenderSettings settings;
        QTransform world;
        GpUnit pageUnit = UnitDisplay;
        REAL pageScale = 1.0F;
        std::optional<QPainterPath> clip;
    };

    SurfaceTarget target_;
    REAL dpiX_;
    REAL dpiY_;
    State state_;
    std::vector<std::pair<UINT, State>> saved_;
    UINT nextStateId_ = 1;
    // Declared last: given back first, before the rest of the surface goes.
    std::optional<OwnedDc> windowDc_;
    std::optional<OwnedDc> handedOutDc_;
};

} // namespace vellumark::gdiplus
