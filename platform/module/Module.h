#pragma once
// A loaded library's identity and resources. Each library (the host program, the component) owns one
// Module, registered for its lifetime; resource look-ups go to the current module, which the
// ModuleStateScope guard switches, as the framework's module-state switch does on Windows.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/module/ResourceTemplates.h"

namespace win {

class Bitmap;

class Module {
public:
    // `anchor` is any address inside the library; it locates the library's file.
    Module(std::string name, const void* anchor);
    ~Module();
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    const std::string& Name() const { return name_; }
    const void* Anchor() const { return anchor_; }
    std::string FilePath() const;

    // Resources are declared as data by the library that owns them; the bytes of a bitmap must
    // outlive the module (static data).
    void AddBitmap(UINT id, const std::uint8_t* bmpBytes, std::size_t size);
    void AddString(UINT id, std::string text);
    void AddDialog(UINT id, DialogTemplate dialog);
    void AddMenu(UINT id, MenuTemplate menu);

    std::shared_ptr<Bitmap> LoadBitmap(UINT id) const;
    const std::string* FindString(UINT id) const;
    const DialogTemplate* FindDialog(UINT id) const;
    std::vector<UINT> DialogIds() const;
    const MenuTemplate* FindMenu(UINT id) const;

private:
    struct BitmapBytes {
        const std::uint8_t* data;
        std::size_t size;
    };
    std::string name_;
    const void* anchor_;
    std::map<UINT, BitmapBytes> bitmaps_;
    std::map<UINT, std::string> strings_;
    std::map<UINT, DialogTemplate> dialogs_;
    std::map<UINT, MenuTemplate> menus_;
};

// The module whose resources are used now; the process's first registered module by default.
Module* CurrentModule();

// Makes a module current for a scope and restores the previous one on exit, also when an
// exception passes through.
class ModuleStateScope {
public:
    explicit ModuleStateScope(Module& module);
    ~ModuleStateScope();
    ModuleStateScope(const ModuleStateScope&) = delete;
    ModuleStateScope& operator=(const ModuleStateScope&) = delete;

private:
    Module* previous_;
};

// Resource access through the current module, with the Windows names.
std::shared_ptr<Bitmap> LoadBitmap(UINT id);
int LoadStringA(UINT id, char* buffer, int size);
std::string LoadStringResource(UINT id);

}  // namespace win
