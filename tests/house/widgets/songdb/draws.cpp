// A core file that draws: the check must refuse it.
#include <QPainter>
