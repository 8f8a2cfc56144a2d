// The demonstration form's plug-in for the tests: nothing but its embedded description.
extern "C" __attribute__((visibility("default"))) int brenvikDemoPlugin()
{
    return 1;
}
