#pragma once
// Qt's key codes as the platform's virtual-key codes.
namespace quorla {

// 0 for keys the layer does not pass on.
int VirtualKeyOf(int qtKey);

}  // namespace quorla
