#pragma once

// The game-flow helpers under the names the flow tests of other parts use: everything of
// SdkTest, a start with a given installation folder, and plain ticks.

#include "SdkAppTestSupport.h"

namespace SdkFlow {
using namespace SdkTest;
using Answer = Reply;

// FreshStart in English with the given installation folder.
void FreshStart(const QString &installDir);
void Tick(WndSudoku &w, int count = 1);
} // namespace SdkFlow
