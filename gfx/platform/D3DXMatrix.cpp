// D3DXMatrix: D3DX's 2-D transformation matrix, built from a rotation and a translation.
#include <d3dx9.h>

#include <cmath>

namespace {

// A 2-D affine map in Direct3D's row-vector form: (x, y) -> (x a + y c + tx, x b + y d + ty).
struct Affine {
    float a = 1.0f, b = 0.0f, c = 0.0f, d = 1.0f, tx = 0.0f, ty = 0.0f;
};

// first, then second.
Affine then(const Affine& first, const Affine& second) {
    return Affine{first.a * second.a + first.b * second.c,
                  first.a * second.b + first.b * second.d,
                  first.c * second.a + first.d * second.c,
                  first.c * second.b + first.d * second.d,
                  first.tx * second.a + first.ty * second.c + second.tx,
                  first.tx * second.b + first.ty * second.d + second.ty};
}

Affine translation(float x, float y) {
    return Affine{1.0f, 0.0f, 0.0f, 1.0f, x, y};
}

Affine rotationBy(float angle) {
    const float s = std::sin(angle);
    const float co = std::cos(angle);
    return Affine{co, s, -s, co, 0.0f, 0.0f};
}

} // namespace

// Rotation about the rotation centre, then translation. Nothing the game draws is scaled:
// scaling (a centre, a rotation of its axes or factors) is not supported and gives null.
D3DXMATRIX* WINAPI D3DXMatrixTransformation2D(D3DXMATRIX* pout, const D3DXVECTOR2* pscalingcenter,
                                              FLOAT scalingrotation, const D3DXVECTOR2* pscaling,
                                              const D3DXVECTOR2* protationcenter, FLOAT rotation,
                                              const D3DXVECTOR2* ptranslation) {
    if (pscalingcenter != nullptr || scalingrotation != 0.0f || pscaling != nullptr) {
        return nullptr;
    }
    const D3DXVECTOR2 rc = protationcenter ? *protationcenter : D3DXVECTOR2(0.0f, 0.0f);
    const D3DXVECTOR2 t = ptranslation ? *ptranslation : D3DXVECTOR2(0.0f, 0.0f);
    Affine m = translation(-rc.x, -rc.y);
    m = then(m, rotationBy(rotation));
    m = then(m, translation(rc.x + t.x, rc.y + t.y));
    *pout = D3DXMATRIX();
    pout->_11 = m.a;
    pout->_12 = m.b;
    pout->_13 = 0.0f;
    pout->_14 = 0.0f;
    pout->_21 = m.c;
    pout->_22 = m.d;
    pout->_23 = 0.0f;
    pout->_24 = 0.0f;
    pout->_31 = 0.0f;
    pout->_32 = 0.0f;
    pout->_33 = 1.0f;
    pout->_34 = 0.0f;
    pout->_41 = m.tx;
    pout->_42 = m.ty;
    pout->_43 = 0.0f;
    pout->_44 = 1.0f;
    return pout;
}
