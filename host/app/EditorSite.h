#pragma once
// The host's callback object handed to the component with SetEditorSite. The editor calls only
// OnCloseRequest (its close button); the host decides what closing means, through `onClose`.
// The remaining slots exist so that the table has the host's layout; they do nothing.
#include <functional>
#include <utility>

#include "host/lib/ComponentInterface.h"

class EditorSite final : public IEditorSite {
public:
    explicit EditorSite(std::function<void()> onClose) : onClose_(std::move(onClose)) {}

    void Reserved0() override {}
    void Reserved1() override {}
    void Reserved2() override {}
    void Reserved3() override {}
    void Reserved4() override {}
    void Reserved5() override {}
    void Reserved6() override {}
    void Reserved7() override {}
    void Reserved8() override {}
    void Reserved9() override {}
    void Reserved10() override {}
    void Reserved11() override {}
    void Reserved12() override {}
    void Reserved13() override {}
    int OnCloseRequest() override {
        ++closeRequests_;
        if (onClose_) onClose_();
        return 1;
    }

    int CloseRequests() const { return closeRequests_; }

private:
    std::function<void()> onClose_;
    int closeRequests_ = 0;
};
