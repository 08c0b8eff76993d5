#pragma once

#include <functional>

// Root of the program's object classes, so that an event can name its sender.
class TObject {
public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
};

// A method reference: empty until assigned, called with the sending object.
using TNotifyEvent = std::function<void(TObject* Sender)>;
