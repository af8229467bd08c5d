#pragma once
// The operating-system services the engine and the program use: folders and
// files, the per-user documents folder, settings values, worker threads,
// sleeping, libraries and starting programs. Reached through CurrentOS.
#include "base/TString.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class TOpSystem
{
public:
    // Folder identifier of the user's documents folder (the base of the games folder).
    static constexpr int FolderDocuments = 10;
    // Root code of the current user's settings.
    static constexpr int RootCurrentUser = 2;

    struct DirEntry
    {
        TString name;
        bool isDirectory = false;
    };

    // Folders
    TString GetWorkingDir() const;
    // Folder and file name of the running program ('/' separators); empty when unknown.
    TString GetProgramDir() const;
    TString GetProgramName() const;
    TString GetUserFolder(int folderId) const;
    bool ExistsPath(const TString &path) const;
    bool IsDirectory(const TString &path) const;
    // Names (without folder) in folder that match a wildcard pattern ('*', '?'),
    // sorted by name; false when the folder cannot be read.
    bool ListDirectory(const TString &folder, const TString &pattern,
                       std::vector<DirEntry> &out) const;
    // Creates the folder and any missing parents; true when it exists afterwards.
    bool CreateDirectory(const TString &path) const;
    // Removes an empty folder.
    bool RemoveDirectory(const TString &path) const;

    // Files
    bool CopyFile(const TString &from, const TString &to, bool failIfExists) const;
    bool DeleteFile(const TString &path) const;
    // Size in bytes, or -1 when there is no such file.
    int64_t FileSize(const TString &path) const;
    // Reads a whole file; refuses (false) a folder, a missing file or one larger than maxBytes.
    bool ReadFile(const TString &path, TString &content, int64_t maxBytes) const;
    // Writes a whole file through a temporary file beside it that is renamed over the
    // target, so a failed write never destroys the previous file.
    bool WriteFile(const TString &path, const TString &content) const;

    // Settings values (text) by root, key path with '\' separators and value name.
    // The value, or an empty text when it does not exist.
    TString ReadRegistryValue(int root, const TString &key, const TString &name,
                              bool *exists = nullptr) const;
    bool WriteRegistryValue(int root, const TString &key, const TString &name,
                            const TString &value) const;
    bool DeleteRegistryValue(int root, const TString &key, const TString &name) const;
    std::vector<TString> ListRegistryValues(int root, const TString &key) const;

    // Threads
    using ThreadEntry = void (*)(void *);
    using ThreadHandle = uintptr_t;
    // Starts entry(arg) on a new thread with at least stackSize bytes of stack; 0 on failure.
    ThreadHandle CreateThread(ThreadEntry entry, void *arg, size_t stackSize) const;
    // Lets the thread run on by itself; the handle is gone afterwards.
    void ReleaseThread(ThreadHandle handle) const;
    void Sleep(unsigned ms) const;

    // Libraries: a plain name is looked up the platform's way (lib<name>.so, <name>.dll).
    void *LoadLibrary(const TString &name) const;
    void FreeLibrary(void *library) const;

    // Starts a program detached; false when it cannot be started.
    bool StartProgram(const TString &program, const std::vector<TString> &arguments) const;
};

extern TOpSystem *const CurrentOS;
