#pragma once
// For tests that start the web engine: the process gets data and cache
// folders of its own (the engine keeps its profile there), removed at the
// end, and the tests run the message loop until what they wait for came.
#include <functional>

namespace afx_ole_test {

// Runs the loop until done() holds; false when the time ran out first.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 15000);
void PumpFor(int milliseconds);

}  // namespace afx_ole_test
