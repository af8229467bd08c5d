#pragma once

// The small dialogs of the language choice and the About box. Each loads its window from the
// resource file in its constructor, sets the dialog result 2 (cancel) in EvInit and 1 on OK; the
// caller reads the getters after the modal run and deletes the dialog. The game dialogs have
// their own files (SdkCreateType, SdkCreateGameParam, SdkLoadParam, SdkWndSelectDefType).

#include "velox/VxEvent.h"
#include "velox/VxWFrame.h"

#include <QString>

// "SUDOKU_SELECT_LANGUAGE": the language of the program.
class SdkWndSelectLanguage : public VxWFrame
{
    TDYN_DECLARE(SdkWndSelectLanguage)

public:
    SdkWndSelectLanguage(short language, QWidget *parent);
    // The chosen index on OK, the given one otherwise.
    short GetLanguage() const { return selected; }

    bool EvInit() override;
    bool DoOK(VxEvent &event);

private:
    short given;
    short selected;
};

// "SUDOKU_ABOUT".
class SdkWndAbout : public VxWFrame
{
    TDYN_DECLARE(SdkWndAbout)

public:
    SdkWndAbout(short language, const QString &title, unsigned version, QWidget *parent);

    bool EvInit() override;
    void Localize();
    bool DoHomepageLButtonUp(VxEventMouse &event);
    // The installation folder, whose manual stands in for an unset web address.
    void SetInstallDir(const QString &folder) { installDir = folder; }

private:
    short language;
    QString title;
    QString version;
    QString installDir;
};
