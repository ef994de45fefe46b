#pragma once

#include <functional>

// The platform's default beep, which the controls sound for refused input.
// It goes through this one place so that tests can hear it.
namespace beep {

void play();

// Replaces the sound by `hook` until the returned previous hook is put back;
// an empty hook restores the platform beep.
std::function<void()> setHook(std::function<void()> hook);

} // namespace beep
