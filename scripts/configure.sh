# Sourced by the build scripts: configure DIR [cmake options...] configures
# the build directory DIR, with Ninja where it is installed (a directory
# configured before keeps its generator).
configure() {
    dir=$1
    shift
    if [ ! -f "$dir/CMakeCache.txt" ] && command -v ninja >/dev/null 2>&1; then
        cmake -S . -B "$dir" -G Ninja "$@"
    else
        cmake -S . -B "$dir" "$@"
    fi
}
