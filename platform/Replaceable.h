#pragma once

// A service the program reaches through one function, such as a dialog,
// that a test may replace: Get() gives the installed one, or else a
// TDefault made on first use; Set(nullptr) goes back to that default.
template <class TService, class TDefault = TService> class TReplaceable {
public:
  static TService& Get() {
    static TDefault Default;
    return Installed ? *Installed : Default;
  }
  static void Set(TService* Value) { Installed = Value; }

private:
  static inline TService* Installed = nullptr;
};
