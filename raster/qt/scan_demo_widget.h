// Control 1057: shows the scan demo's cached 49 x 49 image stretched to the control; only a
// demo tick changes the image, repaints copy it.
#pragma once

#include <QImage>
#include <QWidget>

#include "raster/raster.h"

namespace zemtra {

class ScanDemoWidget : public QWidget {
    Q_OBJECT
  public:
    explicit ScanDemoWidget(QWidget* parent = nullptr);

    // Takes a newly drawn demo image, stretches it to the control with the platform's stretch
    // rule and repaints.
    void Show(const RgbRaster& image);

    // The last demo image, 49 x 49 (black before the first tick).
    const RgbRaster& Image() const { return image_; }
    // The stretched image that paints copy.
    const QImage& Cached() const { return cache_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    RgbRaster image_;  // the 49 x 49 demo image
    QImage cache_;
};

}  // namespace zemtra
