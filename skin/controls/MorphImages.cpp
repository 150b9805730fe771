#include "skin/controls/MorphImages.h"

#include "skin/draw/EffectBmp.h"

void MorphImages(TspEffectBmp& normal, const TspEffectBmp& active, TspMorphStyle kind, double k) {
    switch (kind) {
        case mkDefault:
            normal.BlendWith(active, k);
            break;
        case mkGradient:
            normal.BlendGradient(active, k);
            break;
        case mkLeftGradient:
            normal.BlendLeftGradient(active, k);
            break;
        case mkRightGradient:
            normal.BlendRightGradient(active, k);
            break;
        case mkLeftSlide:
            normal.SlideFromLeft(active, k);
            break;
        case mkRightSlide:
            normal.SlideFromRight(active, k);
            break;
        case mkPush:
            normal.PushFromLeft(active, k);
            break;
    }
}

void ApplyInactiveEffect(TspEffectBmp& image, TspInactiveImageEffect effect) {
    switch (effect) {
        case ieBrightness:
            image.Lighten(0.5);
            break;
        case ieDarkness:
            image.Darken(0.3);
            break;
        case ieGrayScale:
            image.ToGray();
            break;
        case ieNoise:
            image.ScatterNoise(50);
            break;
        case ieSplitBlur:
            image.CornerBlur(1);
            break;
        case ieInvert:
            image.InvertColors();
            break;
    }
}
