#pragma once
// For tests that start the web engine: the process gets data and cache
// folders of its own (the engine keeps its profile there), removed at the
// end, and the tests run the message loop until what they wait for came.
// Pages open windows without a click only when a test lets them.
#include <functional>

namespace afx_ole_test {

// Runs the loop until done() holds; false when the time ran out first.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 15000);
void PumpFor(int milliseconds);
// Lets the scripts of every page shown so far open windows by themselves,
// as the engine otherwise allows only on a click; false without a page.
bool LetScriptsOpenWindows();

}  // namespace afx_ole_test
