#pragma once
// kvx4-host --render IN OUT: streams a sound file through the slot's engine into another while the
// host runs on its virtual clock. A timer on a hidden window of its own catches the audio up with
// the clock every 10 ms tick, publishing the slot's settings before each block, so whatever the
// script, MIDI controllers or the editor changed lands in the audio at its time (to within a
// tick). After the message loop ends, Finish renders the rest of the file as the slot then stands
// and gives OUT its name. The slot must outlive it.
#include <memory>
#include <string>
#include <vector>

#include "host/app/SlotEngine.h"
#include "host/app/SoundFile.h"
#include "platform/window/Window.h"

class OfflineRender : public win::Window {
public:
    explicit OfflineRender(CEffectsPlugin& slot) : slot_(slot) {}

    // Opens IN and the temporary file for OUT; the engine runs at IN's sample rate.
    bool Open(const std::string& in, const std::string& out, std::string* error);
    bool Start();
    bool Failed() const { return !error_.empty(); }
    const std::string& Error() const { return error_; }
    // Renders what is left and completes OUT; false (with Error()) when anything failed.
    bool Finish();

    SlotEngine& Link() { return *link_; }
    std::int64_t FramesRendered() const { return rendered_; }

protected:
    void OnTimer(win::UINT_PTR id) override;

private:
    // Renders up to frame `until`, or to the end of IN; false on a failure.
    bool RenderTo(std::int64_t until);
    void ShowProgress(bool last);

    CEffectsPlugin& slot_;
    SoundFileReader reader_;
    SoundFileWriter writer_;
    std::unique_ptr<SlotEngine> link_;
    std::vector<float> block_;
    std::string out_;
    std::uint64_t startMs_ = 0;
    std::int64_t rendered_ = 0;
    bool atEnd_ = false;
    int shownPercent_ = -1;
    std::string error_;
};
