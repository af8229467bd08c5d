#include "SdkGameFlow.h"

namespace SdkFlow {

void FreshStart(const QString &installDir)
{
    SdkTest::FreshStart("English", installDir);
}

void Tick(WndSudoku &w, int count)
{
    for (int i = 0; i < count; ++i)
        w.EvTimer();
}

} // namespace SdkFlow
