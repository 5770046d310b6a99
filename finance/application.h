#pragma once

class QApplication;

namespace lx::finance {

/// What the finance program sets on its application before any window exists: the title
/// "Tostara" that captions its boxes, and the resources holding its pictures.
void initApplication(QApplication &app);

} // namespace lx::finance
