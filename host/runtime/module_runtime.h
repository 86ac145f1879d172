// SPDX-License-Identifier: MIT
// The C++ run-time linked into the Windows module, made fit for a module
// that is loaded and unloaded inside someone else's process, beside other
// code built with the same compiler. The module's attach entry calls these.
//
// Attach: in the 32-bit module, the start-up code hands the module's frame
// tables (what the unwinder reads to carry an exception to DiceMain's catch)
// to the shared libgcc DLL when the process already holds one, but the
// module throws with its own, statically linked unwinder, which would then
// find no tables and end the process. So the module's own unwinder is
// always given the tables as well.
//
// Detach: when the module is unloaded, what the run-time allocated for it is
// given back: the emergency exception pool and that second registration.
// When the process is ending nothing is given back (the process's memory
// goes with it), so that a call made from another module's detach entry is
// still answered, errors included.
#ifndef ROLLWRIGHT_HOST_RUNTIME_MODULE_RUNTIME_H_
#define ROLLWRIGHT_HOST_RUNTIME_MODULE_RUNTIME_H_

namespace rollwright {

void AttachRuntime();
void DetachRuntime(bool processEnding);

}  // namespace rollwright

#endif  // ROLLWRIGHT_HOST_RUNTIME_MODULE_RUNTIME_H_
