#pragma once

class QObject {};

namespace ui {

class WIDGETS_EXPORT Dial : public QObject {
  Q_OBJECT
  Q_PROPERTY(int value READ value WRITE setValue NOTIFY valueChanged)
  Q_DISABLE_COPY(Dial)

 public:
  Dial() = default;
  [[nodiscard]] int value() const;
  Q_INVOKABLE void setValue(int value);
  void reset(int to = 0) noexcept;

 signals:
  void valueChanged(int value);

 public slots:
  void step();

 private:
  int value_ = 0;
  double ratio_{0.5};
  const char* label_ = "dial";
  bool wraps_[2] = {false, true};
};

}  // namespace ui
