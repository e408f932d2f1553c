#include <mayasim/DrawPass.h>

namespace mayasim::views {
namespace {

DrawPass gPass;
bool gRunning = false;

}  // namespace

DrawPassScope::DrawPassScope(const DrawPass& pass) {
    gPass = pass;
    gRunning = true;
}

DrawPassScope::~DrawPassScope() {
    gRunning = false;
    gPass = DrawPass();
}

const DrawPass* currentDrawPass() {
    return gRunning ? &gPass : nullptr;
}

}  // namespace mayasim::views
