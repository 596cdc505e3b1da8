// A drawing surface on a bitmap: the bitmap's handle, the rendering
// settings, the coordinate spaces (world transform, then page unit and
// scale, to device pixels), the clip and the stack of saved states.
//
// The surface names its bitmap by handle and looks it up for every draw, so
// a bitmap disposed of while a surface is open makes later draws fail
// instead of touching freed pixels.
#pragma once

#include "core/object.h"
#include "core/result.h"
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

    Graphics(GpImage target, REAL dpiX, REAL dpiY) : target_(target), dpiX_(dpiX), dpiY_(dpiY) {}

    ObjectKind kind() const override { return kKind; }

    GpImage target() const { return target_; }
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

    GpImage target_;
    REAL dpiX_;
    REAL dpiY_;
    State state_;
    std::vector<std::pair<UINT, State>> saved_;
    UINT nextStateId_ = 1;
};

} // namespace vellumark::gdiplus
