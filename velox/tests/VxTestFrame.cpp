#include "VxTestFrame.h"

#include "velox/VxResource.h"

TDYN_IMPLEMENT(VxTestFrame, "VxWFrame");

// Every handler the form names, under the name the form gives it.
#define TEST_LINK(fn)                                                                              \
    (VxLinkEntry{"VX_TEST_FRAME", "VxTestFrame::" #fn, 0, 0, VxHandler<&VxTestFrame::fn>})
const VxLinkEntry VxTestLinks[] = {
    TEST_LINK(DoPress),       TEST_LINK(DoOK),      TEST_LINK(DoMenu),
    TEST_LINK(OptionChecked), TEST_LINK(EditChar),  TEST_LINK(KeyDown),
    TEST_LINK(EditKillFocus), TEST_LINK(DrawClick), TEST_LINK(Scroll),
    TEST_LINK(Redraw),        VxLinkEntry{}};

bool InstallTestBundle()
{
    const QString path = VxConfig::FindFile(QStringLiteral("velox_test.vxt"));
    return !path.isEmpty() &&
           VxResource::InstallResourceFile(path, VxTestLinks) == VxResource::VX_RES_OK;
}
