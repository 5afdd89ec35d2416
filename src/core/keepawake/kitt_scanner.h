#pragma once

namespace syncward {

class MainWindow;

// The scanner's sixteen one-shot steps: a red lamp runs from lamp 1 to
// lamp 7 and back, one all-dark step at each end.
void installKittScanner(MainWindow& w);
void stopKittScanner(MainWindow& w);

}  // namespace syncward
