#include "platform/module/Module.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/gdi/BmpFile.h"
#include "platform/gdi/Bitmap.h"
#include "platform/kernel/ModulePath.h"

namespace win {
namespace {

std::vector<Module*>& Registered() {
    static std::vector<Module*> modules;
    return modules;
}
Module* current = nullptr;

}  // namespace

Module::Module(std::string name, const void* anchor) : name_(std::move(name)), anchor_(anchor) {
    Registered().push_back(this);
    if (!current) current = this;
}

Module::~Module() {
    auto& modules = Registered();
    modules.erase(std::remove(modules.begin(), modules.end(), this), modules.end());
    if (current == this) current = modules.empty() ? nullptr : modules.front();
}

std::string Module::FilePath() const { return ModuleFileName(anchor_); }

void Module::AddBitmap(UINT id, const std::uint8_t* bmpBytes, std::size_t size) { bitmaps_[id] = {bmpBytes, size}; }
void Module::AddString(UINT id, std::string text) { strings_[id] = std::move(text); }
void Module::AddDialog(UINT id, DialogTemplate dialog) {
    dialog.resourceId = id;
    dialogs_[id] = std::move(dialog);
}
void Module::AddMenu(UINT id, MenuTemplate menu) { menus_[id] = std::move(menu); }

std::shared_ptr<Bitmap> Module::LoadBitmap(UINT id) const {
    auto it = bitmaps_.find(id);
    if (it == bitmaps_.end()) return nullptr;
    auto bitmap = DecodeBmp(it->second.data, it->second.size);
    if (bitmap) {
        bitmap->resourceId = static_cast<int>(id);
        bitmap->label = name_ + ":" + std::to_string(id);
    }
    return bitmap;
}

const std::string* Module::FindString(UINT id) const {
    auto it = strings_.find(id);
    return it == strings_.end() ? nullptr : &it->second;
}

const DialogTemplate* Module::FindDialog(UINT id) const {
    auto it = dialogs_.find(id);
    return it == dialogs_.end() ? nullptr : &it->second;
}

std::vector<UINT> Module::DialogIds() const {
    std::vector<UINT> ids;
    for (const auto& entry : dialogs_) ids.push_back(entry.first);
    return ids;
}

const MenuTemplate* Module::FindMenu(UINT id) const {
    auto it = menus_.find(id);
    return it == menus_.end() ? nullptr : &it->second;
}

Module* CurrentModule() { return current; }

ModuleStateScope::ModuleStateScope(Module& module) : previous_(current) { current = &module; }
ModuleStateScope::~ModuleStateScope() { current = previous_; }

std::shared_ptr<Bitmap> LoadBitmap(UINT id) { return current ? current->LoadBitmap(id) : nullptr; }

int LoadStringA(UINT id, char* buffer, int size) {
    if (!buffer || size <= 0) return 0;
    const std::string* text = current ? current->FindString(id) : nullptr;
    if (!text) {
        buffer[0] = '\0';
        return 0;
    }
    int n = static_cast<int>(std::min<std::size_t>(text->size(), static_cast<std::size_t>(size - 1)));
    std::memcpy(buffer, text->data(), static_cast<std::size_t>(n));
    buffer[n] = '\0';
    return n;
}

std::string LoadStringResource(UINT id) {
    const std::string* text = current ? current->FindString(id) : nullptr;
    return text ? *text : std::string();
}

}  // namespace win
