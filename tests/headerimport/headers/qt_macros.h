// Stands in for Qt's headers when clang itself reads qt_style.h: its macros as they expand.
#define Q_OBJECT
#define Q_PROPERTY(...)
#define Q_INVOKABLE
#define Q_DECL_EXPORT
#define signals public
#define slots
#define Q_DISABLE_COPY(C) \
  C(const C&) = delete;   \
  C& operator=(const C&) = delete;
#define WIDGETS_EXPORT
