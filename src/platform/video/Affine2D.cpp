#include "platform/video/Affine2D.h"

#include <cmath>

namespace platform {

Affine2D Affine2D::Scaling(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }

Affine2D Affine2D::Rotation(double radians) {
    const double cosine = std::cos(radians);
    const double sine = std::sin(radians);
    return {cosine, sine, -sine, cosine, 0, 0};
}

Affine2D Affine2D::Translation(double x, double y) { return {1, 0, 0, 1, x, y}; }

Affine2D Affine2D::then(const Affine2D& n) const {
    return {n.a * a + n.c * b, n.b * a + n.d * b,          n.a * c + n.c * d,
            n.b * c + n.d * d, n.a * tx + n.c * ty + n.tx, n.b * tx + n.d * ty + n.ty};
}

bool Affine2D::invertible() const {
    const double det = determinant();
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d) &&
           std::isfinite(tx) && std::isfinite(ty) && std::isfinite(det) && det != 0;
}

Affine2D Affine2D::inverse() const {
    const double det = determinant();
    const double ia = d / det, ib = -b / det, ic = -c / det, id = a / det;
    return {ia, ib, ic, id, -(ia * tx + ic * ty), -(ib * tx + id * ty)};
}

}  // namespace platform
