// Carries the screensaver's resources for the resource tests, which load it as a data file.
int main() {
    return 0;
}
