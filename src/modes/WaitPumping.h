#pragma once

namespace vorlaken {

class StopSwitch;

// The one wait of the enhanced runs: sleeps on the event loop for milliseconds, handling every event
// meanwhile (the window stays usable and "stop" can be ticked), and returns at once when stop is or
// becomes ticked, or when the program is asked to end. With stop already ticked, or no time to wait,
// the events pending now are handled once. Uses no processor time while nothing happens.
void WaitPumping(int milliseconds, const StopSwitch& stop);

}  // namespace vorlaken
