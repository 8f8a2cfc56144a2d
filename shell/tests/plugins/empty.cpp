// A plug-in that loads but registers no window class.
extern "C" int brenvikEmptyPlugin()
{
    return 0;
}
