// The message number by which the instructions window's Start button asks the board image to
// begin the guided tour at its First circle (sent synchronously, both parameters 0). Kept apart
// from the board image so that the sender needs nothing else of the board view.
#pragma once

constexpr int StartTourMessage = 1186; // 0x04A2
