#pragma once
// An animator that records every animation and, at its default speed of 0, applies the last
// frames and runs the end block at once. With a speed above 0 it holds the animations until the
// test calls finishAll(), so a test can look at a window in the middle of a movement.
#include "toolkit/media/Animator.h"

#include <vector>

class FakeAnimator : public IAnimator {
public:
    struct Recorded {
        std::vector<AnimationStage> stages;
        std::function<void()> didEnd;
        bool finished = false;
    };

    void animate(std::vector<AnimationStage> stages, std::function<void()> didEnd) override
    {
        recorded.push_back(Recorded {std::move(stages), std::move(didEnd), false});
        if (m_speed <= 0)
            finish(recorded.size() - 1);
    }
    void setSpeed(double factor) override { m_speed = factor; }
    double speed() const override { return m_speed; }

    // Completes every held animation in order, including those their end blocks start.
    void finishAll()
    {
        for (size_t i = 0; i < recorded.size(); ++i)
            finish(i);
    }

    // Every frame asked for, in order: the keyframes of one widget through all animations.
    std::vector<QRect> framesOf(const QWidget* widget) const
    {
        std::vector<QRect> frames;
        for (const Recorded& r : recorded) {
            for (const AnimationStage& stage : r.stages) {
                for (const FrameMove& move : stage.moves) {
                    if (move.widget == widget)
                        frames.push_back(move.frame);
                }
            }
        }
        return frames;
    }

    std::vector<Recorded> recorded;

private:
    void finish(size_t index)
    {
        if (recorded[index].finished)
            return;
        recorded[index].finished = true;
        for (const AnimationStage& stage : recorded[index].stages) {
            for (const FrameMove& move : stage.moves) {
                if (move.widget)
                    move.widget->setGeometry(move.frame);
            }
        }
        // Copied out: the block may start another animation, which grows the vector.
        auto didEnd = recorded[index].didEnd;
        if (didEnd)
            didEnd();
    }

    double m_speed = 0;
};
