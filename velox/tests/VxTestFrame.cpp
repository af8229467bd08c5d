#include "VxTestFrame.h"

#include "velox/VxResource.h"

TDYN_IMPLEMENT(VxTestFrame, "VxWFrame");

const VxLinkEntry VxTestLinks[] = {
    {"VX_TEST_FRAME", "VxTestFrame::DoPress", 0, 0, VxHandler<&VxTestFrame::DoPress>},
    {"VX_TEST_FRAME", "VxTestFrame::DoOK", 0, 0, VxHandler<&VxTestFrame::DoOK>},
    {"VX_TEST_FRAME", "VxTestFrame::DoMenu", 0, 0, VxHandler<&VxTestFrame::DoMenu>},
    {"VX_TEST_FRAME", "VxTestFrame::OptionChecked", 0, 0, VxHandler<&VxTestFrame::OptionChecked>},
    {"VX_TEST_FRAME", "VxTestFrame::EditChar", 0, 0, VxHandler<&VxTestFrame::EditChar>},
    {"VX_TEST_FRAME", "VxTestFrame::EditKillFocus", 0, 0, VxHandler<&VxTestFrame::EditKillFocus>},
    {"VX_TEST_FRAME", "VxTestFrame::DrawClick", 0, 0, VxHandler<&VxTestFrame::DrawClick>},
    {"VX_TEST_FRAME", "VxTestFrame::Scroll", 0, 0, VxHandler<&VxTestFrame::Scroll>},
    {"VX_TEST_FRAME", "VxTestFrame::Redraw", 0, 0, VxHandler<&VxTestFrame::Redraw>},
    {nullptr, nullptr, 0, 0, nullptr},
};

bool InstallTestBundle()
{
    const QString path = VxConfig::FindFile(QStringLiteral("velox_test.vxt"));
    return !path.isEmpty() &&
           VxResource::InstallResourceFile(path, VxTestLinks) == VxResource::VX_RES_OK;
}
