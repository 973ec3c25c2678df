#include "platform/gdi/DrawTrace.h"

#include <mutex>

namespace win {
namespace {

std::mutex& TraceMutex() {
    static std::mutex mutex;
    return mutex;
}
std::vector<DrawTraceEntry>& TraceEntries() {
    static std::vector<DrawTraceEntry> entries;
    return entries;
}

}  // namespace

std::atomic<bool> DrawTrace::recording_{false};

const char* DrawOpName(DrawOp op) {
    switch (op) {
        case DrawOp::BitBlt: return "BitBlt";
        case DrawOp::StretchBlt: return "StretchBlt";
        case DrawOp::FillRect: return "FillRect";
        case DrawOp::Rectangle: return "Rectangle";
        case DrawOp::LineTo: return "LineTo";
        case DrawOp::TextOut: return "TextOut";
        case DrawOp::SetPixel: return "SetPixel";
    }
    return "?";
}

void DrawTrace::Start() {
    std::lock_guard lock(TraceMutex());
    TraceEntries().clear();
    recording_.store(true, std::memory_order_relaxed);
}

std::vector<DrawTraceEntry> DrawTrace::Stop() {
    std::lock_guard lock(TraceMutex());
    recording_.store(false, std::memory_order_relaxed);
    return TraceEntries();
}

std::vector<DrawTraceEntry> DrawTrace::Entries() {
    std::lock_guard lock(TraceMutex());
    return TraceEntries();
}

void DrawTrace::Clear() {
    std::lock_guard lock(TraceMutex());
    TraceEntries().clear();
}

void DrawTrace::Append(DrawTraceEntry entry) {
    std::lock_guard lock(TraceMutex());
    if (recording_.load(std::memory_order_relaxed)) TraceEntries().push_back(std::move(entry));
}

}  // namespace win
