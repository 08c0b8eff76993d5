#pragma once

#include <functional>

// Root of the program's object classes, so that an event can name its sender.
class TObject {
public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

protected:
  // A class whose objects are plain values (a load record) may move them;
  // a class with a destructor of its own stays put.
  TObject(TObject&&) noexcept = default;
  TObject& operator=(TObject&&) noexcept = default;
};

// A method reference: empty until assigned, called with the sending object.
using TNotifyEvent = std::function<void(TObject* Sender)>;
