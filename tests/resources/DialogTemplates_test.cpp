// The component's dialog templates name only control classes the platform makes: a template with
// any other class would fail to open (and the editor host, made with DS_NOFAILCREATE, would lack
// the control without a word).
#include <gtest/gtest.h>

#include <algorithm>

#include "component/ComponentModule.h"
#include "platform/window/DialogTemplates.h"
#include "resources/ResourceIds.h"

TEST(DialogTemplates, EveryControlClassIsRegistered) {
    const std::vector<win::UINT> ids = ComponentModule().DialogIds();
    EXPECT_NE(std::find(ids.begin(), ids.end(), static_cast<win::UINT>(IDD_EDITOR_HOST)), ids.end());
    for (win::UINT id : ids)
        for (const win::DialogItemTemplate& item : ComponentModule().FindDialog(id)->items)
            EXPECT_TRUE(win::IsControlClassRegistered(item.className))
                << "template " << id << ", control " << item.id << ": " << item.className;
}
