#pragma once

namespace lorvan {

inline constexpr const char* kNestedProcessingError =
    "Interner Fehler: keine Schachtelung möglich --> Wert wird vorzeitig auf false gesetzt --> NestCounter "
    "verwenden";

// True while a long-running process (the time import, the employee import) runs; it keeps a second
// one from starting from the menus while the first one processes pending events.
class ProcessingFlag {
  public:
    bool running() const { return running_; }

  private:
    friend class ProcessingGuard;
    bool running_ = false;
};

// Sets the flag for its lifetime. A guard created while the flag is set raises the internal error
// and leaves the flag to the guard that set it.
class ProcessingGuard {
  public:
    explicit ProcessingGuard(ProcessingFlag& flag);
    ~ProcessingGuard();
    ProcessingGuard(const ProcessingGuard&) = delete;
    ProcessingGuard& operator=(const ProcessingGuard&) = delete;

  private:
    ProcessingFlag& flag_;
};

} // namespace lorvan
