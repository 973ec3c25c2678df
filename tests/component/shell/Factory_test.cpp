// The factory exports, the component object's table of operations, the current component and the
// module state around every operation.
#include <dlfcn.h>
#include <link.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/component/shell/ComponentShellTest.h"
#include "tests/component/shell/FailingAllocation.h"

using namespace win;
using shelltest::ComponentShellTest;

namespace {

class FactoryTest : public ComponentShellTest {};

TEST_F(FactoryTest, AnswersOnlyTheEffectsKindWithItsConstants) {
    IEffectComponent* component = NewComponent();
    ASSERT_NE(component, nullptr);
    EXPECT_EQ(component->GetKind(), 3);
    EXPECT_EQ(component->GetRevision(), 0x103);
    EXPECT_EQ(component->QueryFeature(7), 0);
    EXPECT_TRUE(component->QueryReady(1));
    EXPECT_EQ(component->SetParentWindow(hostWindow.GetSafeHwnd()), 0);
    EXPECT_EQ(Object(component)->ParentWindow(), hostWindow.GetSafeHwnd());
    component->Reserved1(1);
    component->Reserved4(4);
    component->Reserved5(5);

    for (int kind : {0x11000, 0x11010, 0x11050, 0x11041, 0, -1}) EXPECT_EQ(getInterface_(kind), nullptr) << kind;
    freeInterface_(nullptr);
}

TEST_F(FactoryTest, OperationTableHoldsExactlySixteenOperations) {
    void* table = Symbol("_ZTV16CEffectComponent");
    ASSERT_NE(table, nullptr);
    Dl_info info{};
    void* entry = nullptr;
    ASSERT_NE(dladdr1(table, &info, &entry, RTLD_DL_SYMENT), 0);
    const auto* symbol = static_cast<const ElfW(Sym)*>(entry);
    ASSERT_NE(symbol, nullptr);
    // Offset to top and type information, then the operations; no destructor entries.
    EXPECT_EQ(symbol->st_size, (2 + 16) * sizeof(void*));

    IEffectComponent* component = NewComponent();
    ASSERT_NE(component, nullptr);
    // The object's table is that one; the host's calls through its slots are checked one by one
    // in the other tests.
    EXPECT_EQ(*reinterpret_cast<void* const*>(component), static_cast<char*>(table) + 2 * sizeof(void*));
}

TEST_F(FactoryTest, RunningOutOfMemoryGivesNullAndNoCurrentComponent) {
    ASSERT_EQ(CurrentComponent(), nullptr);
    shelltest::FailAllocationAfter(0);
    void* component = getInterface_(kEffectsCategory);
    shelltest::StopFailingAllocations();
    EXPECT_EQ(component, nullptr);
    EXPECT_EQ(CurrentComponent(), nullptr);
    EXPECT_EQ(CurrentModule(), hostModule_);
}

TEST_F(FactoryTest, CurrentComponentFollowsConstructionEditorsBindingAndDestruction) {
    CEffectsPlugin slot;
    IEffectComponent* first = NewComponent();
    IEffectComponent* second = NewComponent();
    EXPECT_EQ(CurrentComponent(), Object(first)) << "only a component made while none is current becomes current";

    second->SetEffect(&slot);
    EXPECT_EQ(CurrentComponent(), Object(first)) << "binding without an editor leaves the current component";
    ASSERT_NE(second->CreateEditor(hostWindow.GetSafeHwnd()), nullptr);
    EXPECT_EQ(CurrentComponent(), Object(second));
    first->CreateEditor(otherHostWindow.GetSafeHwnd());
    EXPECT_EQ(CurrentComponent(), Object(first));
    second->SetEffect(&slot);
    EXPECT_EQ(CurrentComponent(), Object(second));

    // Freeing either one clears it, although the other lives on.
    Free(first);
    EXPECT_EQ(CurrentComponent(), nullptr);
    second->SetEffect(nullptr);
    EXPECT_EQ(CurrentComponent(), nullptr) << "a null slot changes nothing";
    IEffectComponent* third = NewComponent();
    EXPECT_EQ(CurrentComponent(), Object(third));
    Free(third);
    EXPECT_EQ(CurrentComponent(), nullptr);
}

TEST_F(FactoryTest, HelpPathIsTheLowerCasedLibraryPathCutAfterItsFirstDll) {
    auto makeHelpPath = reinterpret_cast<char* (*)(char*)>(Symbol("_Z16MakeHelpFilePathPc"));
    ASSERT_NE(makeHelpPath, nullptr);
    struct Case {
        const char* path;
        const char* help;  // null: no help path; the buffer keeps the lower-cased path
        const char* buffer;
    } cases[] = {
        {"C:\\Plug\\KVX4.DLL", "c:\\plug\\kvx4.hlp", "c:\\plug\\kvx4.hlp"},
        {"c:\\x.dll\\kvx4.dll", "c:\\x.hlp", "c:\\x.hlp"},
        {"/opt/FX/KVX4.Dll.bak", "/opt/fx/kvx4.hlp", "/opt/fx/kvx4.hlp"},
        {"/Über/KVX4.DLL", "/Über/kvx4.hlp", "/Über/kvx4.hlp"},
        {"/usr/lib/KVX4.so", nullptr, "/usr/lib/kvx4.so"},
        {"/a/kvx4.dl", nullptr, "/a/kvx4.dl"},
        {"", nullptr, ""},
    };
    for (const Case& c : cases) {
        char buffer[260] = {};
        std::strncpy(buffer, c.path, sizeof buffer - 1);
        buffer[std::strlen(buffer) + 1] = 'X';  // must stay behind the terminator
        char* result = makeHelpPath(buffer);
        if (c.help) {
            EXPECT_EQ(result, buffer) << c.path;
            EXPECT_STREQ(buffer, c.help) << c.path;
        } else {
            EXPECT_EQ(result, nullptr) << c.path;
        }
        EXPECT_STREQ(buffer, c.buffer) << c.path;
        EXPECT_EQ(buffer[std::strlen(c.path) + 1], 'X') << c.path;
    }
    EXPECT_EQ(makeHelpPath(nullptr), nullptr);
}

TEST_F(FactoryTest, HelpPathOfTheLoadedLibrarySitsBesideIt) {
    IEffectComponent* component = NewComponent();
    ASSERT_NE(component, nullptr);
    char* real = realpath(KVX4_DLL_PATH, nullptr);
    ASSERT_NE(real, nullptr);
    std::string expected(real);
    std::free(real);
    for (char& c : expected) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    ASSERT_EQ(expected.find(".dll"), expected.size() - 4) << "the build directory must not hold \".dll\"";
    expected.replace(expected.size() - 4, 4, ".hlp");

    char buffer[260];
    std::memset(buffer, '?', sizeof buffer);
    EXPECT_EQ(component->GetHelpFilePath(buffer), buffer);
    EXPECT_EQ(std::string(buffer), expected);
    EXPECT_EQ(component->GetHelpFilePath(nullptr), nullptr);
}

TEST_F(FactoryTest, EveryOperationGivesTheCallersModuleStateBack) {
    CEffectsPlugin slot;
    shelltest::RecordingSite site;
    char buffer[260];
    IEffectComponent* component = NewComponent();
    ASSERT_NE(component, nullptr);
    auto expectHostState = [&](const char* operation) { EXPECT_EQ(CurrentModule(), hostModule_) << operation; };
    component->GetKind();
    expectHostState("GetKind");
    component->QueryFeature(0);
    expectHostState("QueryFeature");
    component->GetHelpFilePath(buffer);
    expectHostState("GetHelpFilePath");
    component->SetEffect(&slot);
    expectHostState("SetEffect");
    component->CreateEditor(hostWindow.GetSafeHwnd());
    expectHostState("CreateEditor");
    component->SetParentWindow(hostWindow.GetSafeHwnd());
    expectHostState("SetParentWindow");
    component->ShowEditor(false);
    expectHostState("ShowEditor");
    component->ShowEditor(true);
    expectHostState("ShowEditor");
    component->QueryReady(0);
    expectHostState("QueryReady");
    component->SetEditorSite(&site);
    expectHostState("SetEditorSite");
    component->Reserved5(0);
    expectHostState("Reserved5");
    component->RefreshEffectAutomation(&slot);
    expectHostState("RefreshEffectAutomation");
    Free(component);
    expectHostState("destruction");
}

TEST_F(FactoryTest, AFailedEditorCreationUnwindsToTheCallersModuleStateAndCanBeRepeated) {
    IEffectComponent* component = NewComponent();
    ASSERT_NE(component, nullptr);
    component->GetKind();  // the library's module exists from here on
    const size_t windows = WindowSystem::Instance().WindowCount();

    shelltest::FailAllocationAfter(0);  // the editor host window object
    HWND editor = component->CreateEditor(hostWindow.GetSafeHwnd());
    const bool failed = !shelltest::AllocationFailurePending();
    shelltest::StopFailingAllocations();
    ASSERT_TRUE(failed);
    EXPECT_EQ(editor, nullptr);
    EXPECT_EQ(CurrentModule(), hostModule_);
    EXPECT_EQ(WindowSystem::Instance().WindowCount(), windows);
    EXPECT_EQ(Object(component)->EditorHost(), nullptr);

    editor = component->CreateEditor(hostWindow.GetSafeHwnd());
    EXPECT_NE(editor, nullptr);
    EXPECT_TRUE(IsWindow(editor));
}

}  // namespace
