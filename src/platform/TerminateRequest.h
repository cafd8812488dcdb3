#pragma once

// The request to end the program before or while its message loop runs, as a switch that
// has done all its work asks for it.
namespace dovrel {

// Makes the UI thread's message loop end as soon as it runs (on Windows a quit message
// for the calling thread, which must be the UI thread) and marks the request, so that the
// program can leave its windows uncreated.
void RequestTerminate();
bool TerminateRequested();

}  // namespace dovrel
