#pragma once
// Runs work on the main thread and waits until it is done. Called from the main thread itself it
// runs at once: a blocking queued call would wait for itself forever.
#include <functional>

void performOnMainThread(const std::function<void()>& work);
