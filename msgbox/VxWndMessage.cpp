#include "msgbox/VxWndMessage.h"

#include "msgbox/VxRichEditUtil.h"
#include "velox/VxDynButtonBar.h"
#include "velox/VxLink.h"
#include "velox/VxResource.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTextEdit>
#include <memory>

namespace {

const char *const WindowName = "WND_MESSAGE";

const VxLinkEntry StdDlgLinks[] = {
    {"WND_MESSAGE", "VxWndMessage::DoOK", 0, 0, VxHandler<&VxWndMessage::DoOK>},
    {"WND_MESSAGE", "VxWndMessage::DoCancel", 0, 0, VxHandler<&VxWndMessage::DoCancel>},
    {"WND_MESSAGE", "VxWndMessage::DoClose", 0, 0, VxHandler<&VxWndMessage::DoClose>},
    {"WND_MESSAGE", "VxWndMessage::DoYes", 0, 0, VxHandler<&VxWndMessage::DoYes>},
    {"WND_MESSAGE", "VxWndMessage::DoNo", 0, 0, VxHandler<&VxWndMessage::DoNo>},
    {"", "", 0, 0, nullptr},
};

// The dialog library's resource file, installed on first use. Without it the table is still
// installed and the box lays itself out in code, so a message can always be shown.
void InstallStdDlg()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    const QString path = VxConfig::FindFile(QStringLiteral("stddlg.vxt"));
    if (path.isEmpty() ||
        VxResource::InstallResourceFile(path, StdDlgLinks) != VxResource::VX_RES_OK)
        VxLinkTable::Install(StdDlgLinks);
}

struct ButtonDef
{
    const char *name;
    const char *handler;
    const char *text[2]; // German, English
};

const ButtonDef BtOK{"BT_OK", "VxWndMessage::DoOK", {"&OK", "&OK"}};
const ButtonDef BtCancel{"BT_CANCEL", "VxWndMessage::DoCancel", {"Abbre&chen", "&Cancel"}};
const ButtonDef BtYes{"BT_YES", "VxWndMessage::DoYes", {"&Ja", "&Yes"}};
const ButtonDef BtNo{"BT_NO", "VxWndMessage::DoNo", {"&Nein", "&No"}};
// The close button shares the cancel handler.
const ButtonDef BtClose{"BT_CLOSE", "VxWndMessage::DoCancel", {"&Schliessen", "&Close"}};

QList<const ButtonDef *> ButtonsOf(unsigned short type)
{
    switch (type & 0x0F) {
    case VxWndMessage::ButtonsClose:
        return {&BtClose};
    case VxWndMessage::ButtonsOKCancel:
        return {&BtOK, &BtCancel};
    case VxWndMessage::ButtonsYesNoCancel:
        return {&BtYes, &BtNo, &BtCancel};
    case VxWndMessage::ButtonsYesNo:
        return {&BtYes, &BtNo};
    default:
        return {};
    }
}

struct IconDef
{
    const char *name;
    QStyle::StandardPixmap pixmap;
};

IconDef IconOf(unsigned short type)
{
    const unsigned short buttons = type & 0x0F;
    switch ((type >> 4) & 0x0F) {
    case 1:
        return {"BMP_MBSTOP", QStyle::SP_MessageBoxCritical};
    case 2:
        return {"BMP_MBQUEST", QStyle::SP_MessageBoxQuestion};
    case 3:
        return {"BMP_MBEXCLAM", QStyle::SP_MessageBoxWarning};
    default:
        // An information icon over a yes/no choice would not tell that a question is asked.
        if (buttons == VxWndMessage::ButtonsYesNoCancel || buttons == VxWndMessage::ButtonsYesNo)
            return {"BMP_MBQUEST", QStyle::SP_MessageBoxQuestion};
        return {"BMP_MBINFO", QStyle::SP_MessageBoxInformation};
    }
}

constexpr QSize InitialWindowSize(350, 150);

} // namespace

unsigned short VxWndMessage::m_stusDefaultLanguage = 0;
QSize VxWndMessage::m_stcoDefaultWindowSize = InitialWindowSize;
bool VxWndMessage::m_stbDefaultBold = false;
short VxWndMessage::m_stsDefaultColorIndex = 0;
QString VxWndMessage::m_stcoDefaultFont = QStringLiteral("Arial");
unsigned int VxWndMessage::m_stuiDefaultFontSize = 10;

VxWndMessage::VxWndMessage(unsigned short language, const QString &title, const QString &text,
                           unsigned short type, QWidget *parent)
    : VxWFrame(parent), m_title(title), m_text(text), m_type(type),
      m_language(language == 1 ? 1 : 0)
{
    InstallStdDlg();
    if (!LoadCustomWindow(QLatin1String(WindowName)))
        BuildDefaultLayout();
    setObjectName(QLatin1String(WindowName));
}

VxWndMessage::~VxWndMessage() = default;

void VxWndMessage::BuildDefaultLayout()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("centralwidget"));
    setCentralWidget(client);
    auto *icon = new QLabel(client);
    icon->setObjectName(QStringLiteral("MSGICON"));
    icon->setGeometry(12, 12, 32, 32);
    auto *info = new QTextEdit(client);
    info->setObjectName(QStringLiteral("ED_INFO"));
    info->setGeometry(56, 5, 289, 100);
    auto *bar = new VxDynButtonBar(client);
    bar->setObjectName(QStringLiteral("BUTTONBAR"));
    bar->setGeometry(5, 110, 340, 30);
    resize(InitialWindowSize);
}

unsigned short VxWndMessage::StartMsg(unsigned short language, const QString &title,
                                      const QString &text, QWidget *parent, unsigned short type,
                                      const QSize &size, bool wrap)
{
    QString shown = text;
    if (wrap) {
        const QString bold = m_stbDefaultBold ? QStringLiteral("<b>") : QString();
        const QString unbold = m_stbDefaultBold ? QStringLiteral("</b>") : QString();
        shown = QStringLiteral("<size:4>\n</size><font:%1><size:%2><col:%3>%4")
                    .arg(m_stcoDefaultFont)
                    .arg(m_stuiDefaultFontSize)
                    .arg(VxRichEditUtil::GetColorName(m_stsDefaultColorIndex), bold) +
                text + unbold + QStringLiteral("</col></font>");
    }
    auto box = std::make_unique<VxWndMessage>(language, title, shown, type, parent);
    const int w = size.width() < 50 ? m_stcoDefaultWindowSize.width() : size.width();
    const int h = size.height() < 50 ? m_stcoDefaultWindowSize.height() : size.height();
    box->resize(w, h);
    box->StartModal();
    return box->GetResult();
}

unsigned short VxWndMessage::StartMsg(const QString &title, const QString &text, QWidget *parent,
                                      unsigned short type, const QSize &size)
{
    return StartMsg(m_stusDefaultLanguage, title, text, parent, type, size, true);
}

void VxWndMessage::SetDefaults(unsigned short language, const QSize &size, bool bold,
                               short colorIndex, const QString &font, unsigned int fontSize)
{
    if (language <= 1)
        m_stusDefaultLanguage = language;
    if (size.width() >= 50)
        m_stcoDefaultWindowSize.setWidth(size.width());
    if (size.height() >= 50)
        m_stcoDefaultWindowSize.setHeight(size.height());
    m_stbDefaultBold = bold;
    if (colorIndex >= 0 && colorIndex <= 15)
        m_stsDefaultColorIndex = colorIndex;
    if (!font.isEmpty())
        m_stcoDefaultFont = font;
    if (fontSize != 0)
        m_stuiDefaultFontSize = fontSize;
}

void VxWndMessage::ResetDefaults()
{
    m_stusDefaultLanguage = 0;
    m_stcoDefaultWindowSize = InitialWindowSize;
    m_stbDefaultBold = false;
    m_stsDefaultColorIndex = 0;
    m_stcoDefaultFont = QStringLiteral("Arial");
    m_stuiDefaultFontSize = 10;
}

void VxWndMessage::SetInfoText(const QString &text)
{
    auto *info = qobject_cast<QTextEdit *>(FindChild(QStringLiteral("ED_INFO")));
    if (!info)
        return;
    info->clear();
    info->document()->setDocumentMargin(5);
    VxRichEditUtil::SetFormattedText(info, text, true, 0);
}

QString VxWndMessage::GetIconName() const
{
    return QLatin1String(IconOf(m_type).name);
}

bool VxWndMessage::EvInit()
{
    SetDialogResult(2);
    CalcMiddlePos();
    if (!m_title.isEmpty())
        setWindowTitle(m_title);

    auto *bar = dynamic_cast<VxDynButtonBar *>(FindChild(QStringLiteral("BUTTONBAR")));
    QList<QPushButton *> buttons;
    if (bar) {
        bar->SetButtonWidth(100);
        for (const ButtonDef *def : ButtonsOf(m_type)) {
            QPushButton *b =
                bar->AddButton(QLatin1String(def->name), QString::fromUtf8(def->text[m_language]));
            VxLinks::Bind(b, VX_LINK_COMMAND, this, QLatin1String(WindowName),
                          QLatin1String(def->handler));
            buttons.append(b);
        }
    }

    const IconDef icon = IconOf(m_type);
    if (auto *label = qobject_cast<QLabel *>(FindChild(QStringLiteral("MSGICON")))) {
        label->setPixmap(style()->standardIcon(icon.pixmap, nullptr, this).pixmap(32, 32));
        label->setProperty("vxBitmap", QLatin1String(icon.name));
    }

    if (auto *info = qobject_cast<QTextEdit *>(FindChild(QStringLiteral("ED_INFO")))) {
        // The text reads as part of the box, not as an input field.
        info->setReadOnly(true);
        info->setFrameShape(QFrame::NoFrame);
        info->setFocusPolicy(Qt::NoFocus);
        QPalette p = info->palette();
        p.setColor(QPalette::Base, p.color(QPalette::Window));
        info->setPalette(p);
    }
    SetInfoText(m_text);

    if (!buttons.isEmpty()) {
        const qsizetype wanted = (m_type >> 8) & 0x0F;
        QPushButton *def = buttons.value(wanted < buttons.size() ? wanted : 0);
        def->setDefault(true);
        def->setFocus(Qt::OtherFocusReason);
    }
    EvSize();
    return true;
}

bool VxWndMessage::EvClose()
{
    if (m_result == 0)
        m_result = (m_type & 0x0F) == ButtonsYesNo ? ResultNo : ResultCancel;
    return VxWFrame::EvClose();
}

bool VxWndMessage::EvSize()
{
    QWidget *bar = FindChild(QStringLiteral("BUTTONBAR"));
    QWidget *info = FindChild(QStringLiteral("ED_INFO"));
    if (!bar || !info)
        return true;
    const QSize client = GetClientSize();
    const int h = bar->height();
    const int right = client.width() - 5;
    bar->setGeometry(bar->x(), client.height() - h - 5, std::max(0, right - bar->x()), h);
    info->setGeometry(info->x(), info->y(), std::max(0, right - info->x()),
                      std::max(0, client.height() - h - 10 - info->y()));
    update();
    return true;
}

bool VxWndMessage::Answer(unsigned short result)
{
    m_result = result;
    SetDialogResult(result == ResultOK || result == ResultYes ? 1 : 2);
    Close(false);
    return true;
}

bool VxWndMessage::DoOK(VxEvent &)
{
    return Answer(ResultOK);
}

bool VxWndMessage::DoCancel(VxEvent &)
{
    return Answer(ResultCancel);
}

bool VxWndMessage::DoClose(VxEvent &)
{
    return Answer(ResultCancel);
}

bool VxWndMessage::DoYes(VxEvent &)
{
    return Answer(ResultYes);
}

bool VxWndMessage::DoNo(VxEvent &)
{
    return Answer(ResultNo);
}
