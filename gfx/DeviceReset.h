// DeviceReset: what a reset of a lost device must give up first and make again after: the D3DX
// objects (OnLostDevice, OnResetDevice) and the resources in D3DPOOL_DEFAULT, which Direct3D 9
// refuses to reset the device while they live. Their owners register the two steps; the render
// device runs them around its Reset.
#pragma once

#include <functional>

// Registers owner's steps: release runs before the reset, restore after it. A second
// registration of the same owner replaces the first.
void keepThroughReset(const void* owner, std::function<void()> release,
                      std::function<void()> restore);
// Forgets owner's steps; an owner calls it when it gives up what it registered.
void forgetThroughReset(const void* owner);
// Runs every owner's release step, in the order of registration.
void releaseForReset();
// Runs every owner's restore step, in the order of registration.
void restoreAfterReset();
