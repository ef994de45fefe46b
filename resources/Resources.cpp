// The pictures are compiled into this library; this unit only gives it a body.
namespace zentrix {
int resourcesLinked = 1;
}
