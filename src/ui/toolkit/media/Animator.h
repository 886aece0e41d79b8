#pragma once
// Moves widgets from one geometry to another over time. Geometries are Qt's: a widget's
// geometry() in its parent, y down. The production animator runs QPropertyAnimation groups;
// tests use a fake that records the frames and finishes at once.
//
// Every duration is multiplied by the speed factor; a speed of 0 (or less) moves every widget
// straight to its last frame and runs the end block before animate() returns.
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>
#include <vector>

// One widget reaching one geometry.
struct FrameMove {
    QPointer<QWidget> widget;
    QRect frame;
};

// Moves that run together over one duration; the stages of an animation run one after another.
struct AnimationStage {
    int durationMs = 0;
    std::vector<FrameMove> moves;
};

class IAnimator {
public:
    virtual ~IAnimator() = default;

    // Runs the stages in order, then `didEnd` (when given) exactly once, also when a widget is
    // deleted on the way (its moves are skipped). A widget is not set to any start frame: callers
    // that want one call setGeometry first.
    virtual void animate(std::vector<AnimationStage> stages, std::function<void()> didEnd) = 0;

    virtual void setSpeed(double factor) = 0;
    virtual double speed() const = 0;

    // One widget through a sequence of keyframes, each reached in its own duration.
    void animateWidget(QWidget* widget, const std::vector<std::pair<QRect, int>>& keyframes,
                       std::function<void()> didEnd)
    {
        std::vector<AnimationStage> stages;
        stages.reserve(keyframes.size());
        for (const auto& [frame, durationMs] : keyframes)
            stages.push_back(AnimationStage {durationMs, {FrameMove {widget, frame}}});
        animate(std::move(stages), std::move(didEnd));
    }
};
