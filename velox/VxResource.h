#pragma once

// Resource files: binary resource bundles compiled by rcc from Qt Designer forms, one form per
// window, the form's file named after the window ("forms/WND_MESSAGE.ui"). A bundle is
// registered once with its handler link table; a window is then created from the form named
// after it. Classes the form names that are registered with the TDynamic registry (frame
// windows, drawing windows, button bars) are created by class name; everything else is Qt's.

#include "velox/VxLink.h"

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

class VxResource
{
public:
    enum Error { VX_RES_OK = 0, VX_RES_NOT_FOUND = 1, VX_RES_INVALID = 2 };

    // Registers the bundle at path and installs its handler link table (may be null).
    // Installing the same file again only adds the table.
    static int InstallResourceFile(const QString &path, const VxLinkEntry *table);
    // The description of a file error for a path, for the user.
    static QString ErrorText(int error, const QString &path);
    static bool IsInstalled(const QString &path);

    // Path of a window's form inside the installed bundles, or empty.
    static QString FormPath(const QString &window);
    // Windows of all installed bundles, sorted.
    static QStringList Windows();

    // Creates the window object of the class the form names, builds its controls, binds the
    // form's links to it and returns it (owned by the caller). Null when the window is unknown
    // or cannot be built.
    static QWidget *LoadWindow(const QString &window, QWidget *parent = nullptr);
    // Builds the form's controls into an existing object (a window constructing itself) and
    // binds the links to it.
    static bool LoadCustomWindow(QWidget *target, const QString &window);

    // What a form names: (object, link, handler) for every link property.
    struct FormLink
    {
        QString object;
        QString link;
        QString handler;
    };
    static QList<FormLink> FormLinks(const QString &window);
    // Differences between the forms of these windows and the installed tables, one text each:
    // "WINDOW: object/link/handler has no entry" for a handler a form names that the table
    // lacks, "WINDOW: handler is named by no control" for a table entry no form uses, and
    // "WINDOW: no form" for a window without a form. Empty when forms and tables agree.
    static QStringList LinkGaps(const QStringList &windows);
    // Links of the last load of that window that had no table entry ("object/link/handler").
    static QStringList UnboundLinks(const QString &window);
};

class VxConfig
{
public:
    // Searches a data file by name: beside the program, in the installation's share folder
    // (../share/ninefold-sudoku), then in the working directory. Empty when not found.
    static QString FindFile(const QString &fileName);
};
