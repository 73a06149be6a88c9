#pragma once

namespace platform {

// A 2-D affine map on row vectors: (x, y) goes to
// (a x + c y + tx, b x + d y + ty).
struct Affine2D {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    static Affine2D Scaling(double sx, double sy);
    // Counter-clockwise in a y-up frame: x' = x cos - y sin, y' = x sin + y cos.
    static Affine2D Rotation(double radians);
    static Affine2D Translation(double x, double y);

    // This map first, then next.
    Affine2D then(const Affine2D& next) const;
    double determinant() const { return a * d - b * c; }
    // Drawable: finite and not collapsed to a line or a point.
    bool invertible() const;
    // The inverse map; only for an invertible one.
    Affine2D inverse() const;
    void apply(double x, double y, double& outX, double& outY) const {
        outX = a * x + c * y + tx;
        outY = b * x + d * y + ty;
    }
};

}  // namespace platform
