// The process's thread-local-storage slot that holds each thread's generator
// state on Windows. The module's attach entry takes it and its detach entry
// gives it back, so a host may load and unload the module any number of
// times; a program that links the engine directly takes it on first use and
// keeps it for its life.
#ifndef ROLLWRIGHT_HOST_RANDOM_SLOT_H_
#define ROLLWRIGHT_HOST_RANDOM_SLOT_H_

namespace rollwright {

// Takes the slot unless it is taken; false when the process has none left.
bool TakeRandomSlot();

// Gives the slot back; every thread's state is forgotten with it.
void GiveBackRandomSlot();

}  // namespace rollwright

#endif  // ROLLWRIGHT_HOST_RANDOM_SLOT_H_
