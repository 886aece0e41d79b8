#include "toolkit/media/QtAnimator.h"

#include <QEasingCurve>
#include <QVariant>
#include <QVariantAnimation>

#include <algorithm>
#include <cmath>
#include <memory>

// The stages left to run and the end block; shared by the callbacks of the running stage.
struct QtAnimator::Run {
    std::vector<AnimationStage> stages;
    size_t next = 0;
    std::function<void()> didEnd;
};

void applyLastFrames(const std::vector<AnimationStage>& stages)
{
    for (const AnimationStage& stage : stages) {
        for (const FrameMove& move : stage.moves) {
            if (move.widget)
                move.widget->setGeometry(move.frame);
        }
    }
}

QtAnimator::QtAnimator(QObject* parent)
    : QObject(parent)
{
}

void QtAnimator::animate(std::vector<AnimationStage> stages, std::function<void()> didEnd)
{
    if (m_speed <= 0) {
        applyLastFrames(stages);
        if (didEnd)
            didEnd();
        return;
    }
    auto run = std::make_shared<Run>();
    run->stages = std::move(stages);
    run->didEnd = std::move(didEnd);
    runStage(run);
}

namespace {

QRect interpolate(const QRect& from, const QRect& to, double t)
{
    auto mix = [t](int a, int b) { return int(std::lround(a + (b - a) * t)); };
    return QRect(mix(from.x(), to.x()), mix(from.y(), to.y()), mix(from.width(), to.width()),
                 mix(from.height(), to.height()));
}

} // namespace

void QtAnimator::runStage(std::shared_ptr<Run> run)
{
    if (run->next >= run->stages.size()) {
        if (auto didEnd = std::move(run->didEnd))
            didEnd();
        return;
    }
    const AnimationStage& stage = run->stages[run->next++];
    // Each widget starts from where it is when its stage begins, as the previous stage left it.
    std::vector<QRect> starts;
    starts.reserve(stage.moves.size());
    for (const FrameMove& move : stage.moves)
        starts.push_back(move.widget ? move.widget->geometry() : QRect());
    auto* animation = new QVariantAnimation(this);
    animation->setStartValue(0.0);
    animation->setEndValue(1.0);
    animation->setDuration(std::max(0, int(std::lround(stage.durationMs * m_speed))));
    animation->setEasingCurve(QEasingCurve::InOutQuad);
    // A widget deleted on the way is skipped; the stage still ends, so the end block still runs.
    connect(animation, &QVariantAnimation::valueChanged, this, [&stage, starts](const QVariant& value) {
        for (size_t i = 0; i < stage.moves.size(); ++i) {
            if (const FrameMove& move = stage.moves[i]; move.widget)
                move.widget->setGeometry(interpolate(starts[i], move.frame, value.toDouble()));
        }
    });
    connect(animation, &QVariantAnimation::finished, this, [this, run = std::move(run), &stage] {
        for (const FrameMove& move : stage.moves) {
            if (move.widget)
                move.widget->setGeometry(move.frame);
        }
        runStage(run);
    });
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}
