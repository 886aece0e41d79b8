#pragma once
// Animates widget geometries with Qt's animation framework, one stage after another, each stage
// moving its widgets together with an ease-in-ease-out curve.
#include "toolkit/media/Animator.h"

#include <QObject>

class QtAnimator : public QObject, public IAnimator {
    Q_OBJECT
public:
    explicit QtAnimator(QObject* parent = nullptr);

    void animate(std::vector<AnimationStage> stages, std::function<void()> didEnd) override;
    void setSpeed(double factor) override { m_speed = factor; }
    double speed() const override { return m_speed; }

private:
    struct Run;
    void runStage(std::shared_ptr<Run> run);

    double m_speed = 1.0;
};

// Moves every live widget of the stages straight to its last frame, in stage order.
void applyLastFrames(const std::vector<AnimationStage>& stages);
