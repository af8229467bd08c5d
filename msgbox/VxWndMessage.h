#pragma once

// The modal message box: markup text next to an icon, above a bar of buttons.
//
// Type bits:  0x000F buttons  0 Close, 1 OK+Cancel, 3 Yes+No+Cancel, 4 Yes+No, other none
//             0x00F0 icon     1 stop, 2 question, 3 exclamation, 4 (and 0, >4) information;
//                             information with Yes/No buttons is shown as a question
//             0x0F00 default  0x000 first, 0x100 second, 0x200 third button
// Results:    1 OK, 2 Cancel or Close, 6 Yes, 7 No. Closing by the frame gives 7 for Yes/No
//             and 2 otherwise, unless a button already chose.

#include "velox/VxEvent.h"
#include "velox/VxWFrame.h"

#include <QSize>
#include <QString>

class VxWndMessage : public VxWFrame
{
public:
    enum Result : unsigned short { ResultOK = 1, ResultCancel = 2, ResultYes = 6, ResultNo = 7 };
    enum Buttons : unsigned short {
        ButtonsClose = 0,
        ButtonsOKCancel = 1,
        ButtonsYesNoCancel = 3,
        ButtonsYesNo = 4
    };
    enum Icon : unsigned short {
        IconStop = 0x10,
        IconQuestion = 0x20,
        IconExclamation = 0x30,
        IconInformation = 0x40
    };
    enum DefaultButton : unsigned short { Default1 = 0x000, Default2 = 0x100, Default3 = 0x200 };

    // language 0 German, 1 English (anything else counts as German).
    VxWndMessage(unsigned short language, const QString &title, const QString &text,
                 unsigned short type, QWidget *parent);
    ~VxWndMessage() override;

    // Builds, shows modally and destroys a box; returns its result. A width or height below 50
    // is replaced by the default. With wrap the text is set in the default font, size, colour
    // and weight (SetDefaults).
    static unsigned short StartMsg(unsigned short language, const QString &title,
                                   const QString &text, QWidget *parent, unsigned short type,
                                   const QSize &size, bool wrap);
    // The same in the default language, always wrapped.
    static unsigned short StartMsg(const QString &title, const QString &text, QWidget *parent,
                                   unsigned short type, const QSize &size);

    // Changes the class-wide defaults; out-of-range values leave a default as it is
    // (language 0 or 1, width and height at least 50, colour 0..15, non-empty font, size > 0).
    static void SetDefaults(unsigned short language, const QSize &size, bool bold, short colorIndex,
                            const QString &font, unsigned int fontSize);
    // Puts the class-wide defaults back to their initial values.
    static void ResetDefaults();

    void SetInfoText(const QString &text);
    unsigned short GetResult() const { return m_result; }
    // The bitmap resource name of the icon shown ("BMP_MBINFO", ...).
    QString GetIconName() const;

    bool DoOK(VxEvent &event);
    bool DoCancel(VxEvent &event);
    bool DoClose(VxEvent &event);
    bool DoYes(VxEvent &event);
    bool DoNo(VxEvent &event);

    bool EvInit() override;
    bool EvClose() override;
    bool EvSize() override;

    static unsigned short m_stusDefaultLanguage;
    static QSize m_stcoDefaultWindowSize;
    static bool m_stbDefaultBold;
    static short m_stsDefaultColorIndex;
    static QString m_stcoDefaultFont;
    static unsigned int m_stuiDefaultFontSize;

private:
    bool Answer(unsigned short result);
    void BuildDefaultLayout();

    QString m_title;
    QString m_text;
    unsigned short m_type;
    unsigned short m_language;
    unsigned short m_result = 0;
};
